#include "server_options.h"

namespace quillbox::testserver {

namespace {

std::optional<int> ParseNumber(const std::string& text, int limit) {
  if (text.empty() || text.size() > 5) return std::nullopt;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  if (value > limit) return std::nullopt;
  return value;
}

ParsedOptions Refuse(std::string error) { return ParsedOptions{std::nullopt, std::move(error)}; }

// Applies one option with its value; an error text when the value is wrong.
std::string Apply(const std::string& name, const std::string& value, ServerOptions& options) {
  if (name == "--port") {
    const auto port = ParseNumber(value, 65535);
    if (!port) return "not a port number: " + value;
    options.port = *port;
  } else if (name == "--read-timeout") {
    const auto seconds = ParseNumber(value, 3600);
    if (!seconds || *seconds == 0) return "not a number of seconds: " + value;
    options.readTimeoutSeconds = *seconds;
  } else if (value.empty()) {
    return "empty value for " + name;
  } else if (name == "--log") {
    options.logPath = value;
  } else if (name == "--cert") {
    options.certPath = value;
  } else if (name == "--key") {
    options.keyPath = value;
  } else {  // --reply
    const size_t equals = value.find('=');
    if (equals == std::string::npos || equals == 0 || value[0] != '/' || equals + 1 == value.size()) {
      return "--reply wants /PATH=FILE, got " + value;
    }
    options.replies[value.substr(0, equals)] = value.substr(equals + 1);
  }
  return {};
}

}  // namespace

ParsedOptions ParseServerOptions(const std::vector<std::string>& arguments) {
  ServerOptions options;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& name = arguments[i];
    if (name == "--help" || name == "-h") {
      options.showHelp = true;
      continue;
    }
    if (name != "--port" && name != "--log" && name != "--cert" && name != "--key" &&
        name != "--reply" && name != "--read-timeout") {
      return Refuse("unknown option: " + name);
    }
    if (i + 1 >= arguments.size()) return Refuse("missing value for " + name);
    if (std::string error = Apply(name, arguments[++i], options); !error.empty()) {
      return Refuse(std::move(error));
    }
  }
  if (options.certPath.empty() != options.keyPath.empty()) {
    return Refuse("--cert and --key go together");
  }
  return ParsedOptions{std::move(options), {}};
}

std::string ServerUsage(const std::string& programName) {
  return "usage: " + programName +
         " [--port N] [--log FILE] [--cert PEM --key PEM] [--reply /PATH=FILE]...\n"
         "  --port N          port on 127.0.0.1 (default 0: a free port, printed on start-up)\n"
         "  --log FILE        append every request line and header, and TLS handshake events\n"
         "  --cert, --key     serve HTTPS with this certificate and private key\n"
         "  --reply /P=FILE   answer path /P with the file's content (repeatable)\n"
         "  --read-timeout S  close a connection that stays silent for S seconds (default 2)\n"
         "Canned paths: /canned/status/<code>, /canned/zero-byte, /canned/pattern/<size>.\n";
}

}  // namespace quillbox::testserver
