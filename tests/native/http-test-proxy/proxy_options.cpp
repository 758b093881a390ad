#include "proxy_options.h"

#include <stdexcept>

namespace quillbox::testproxy {

std::optional<ProxyOptions> ParseProxyOptions(const std::vector<std::string>& arguments, std::string& error) {
  ProxyOptions options;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& name = arguments[i];
    if (i + 1 >= arguments.size()) {
      error = name + " needs a value";
      return std::nullopt;
    }
    const std::string& value = arguments[++i];
    try {
      if (name == "--port") {
        options.port = std::stoi(value);
      } else if (name == "--log") {
        options.logPath = value;
      } else if (name == "--refuse") {
        options.refuseWith = std::stoi(value);
      } else if (name == "--map" && value.find('=') != std::string::npos) {
        options.hosts[value.substr(0, value.find('='))] = value.substr(value.find('=') + 1);
      } else {
        error = "unknown option " + name + " " + value;
        return std::nullopt;
      }
    } catch (const std::exception&) {
      error = name + " needs a number";
      return std::nullopt;
    }
  }
  return options;
}

}  // namespace quillbox::testproxy
