#include "service_options.h"

#include <cstdlib>

namespace quillbox::reference {

namespace {

bool ParsePort(const std::string& text, int& port) {
  if (text.empty() || text.size() > 5) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  const long value = std::strtol(text.c_str(), nullptr, 10);
  if (value > 65535) return false;
  port = static_cast<int>(value);
  return true;
}

ParsedOptions Refuse(std::string error) {
  return ParsedOptions{std::nullopt, std::move(error)};
}

}  // namespace

ParsedOptions ParseServiceOptions(const std::vector<std::string>& arguments) {
  ServiceOptions options;
  for (size_t i = 0; i < arguments.size(); ++i) {
    std::string name = arguments[i];
    std::optional<std::string> value;
    const size_t equals = name.find('=');
    if (name.rfind("--", 0) == 0 && equals != std::string::npos) {
      value = name.substr(equals + 1);
      name.resize(equals);
    }
    if (name == "--help" || name == "-h") {
      options.showHelp = true;
      continue;
    }
    if (name != "--port" && name != "--db" && name != "--log" && name != "--bank") {
      return Refuse("unknown option: " + arguments[i]);
    }
    if (!value) {
      if (i + 1 >= arguments.size()) return Refuse("missing value for " + name);
      value = arguments[++i];
    }
    if (name == "--port") {
      if (!ParsePort(*value, options.port)) return Refuse("not a port number: " + *value);
    } else if (value->empty()) {
      return Refuse("empty value for " + name);
    } else if (name == "--db") {
      options.databasePath = *value;
    } else if (name == "--log") {
      options.logPath = *value;
    } else {
      options.bankPath = *value;
    }
  }
  if (!options.showHelp && options.databasePath.empty()) return Refuse("--db FILE is required");
  return ParsedOptions{options, {}};
}

std::string ServiceUsage(const std::string& programName) {
  return "usage: " + programName +
         " --db FILE [--port N] [--log FILE] [--bank FILE.json]\n"
         "  --db FILE    SQLite comment bank; created and populated when absent\n"
         "  --port N     port on 127.0.0.1 (default 0: a free port, printed on start-up)\n"
         "  --log FILE   append every request line and header received to FILE\n"
         "  --bank FILE  populate a new database from this JSON bank instead of the sample\n";
}

}  // namespace quillbox::reference
