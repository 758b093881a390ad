#pragma once
// The port through which the core asks the platform how the user's machine reaches the web:
// the user's Internet settings, and what automatic detection or a configuration script
// answers for one URL. Strings are UTF-8.

#include <optional>
#include <string>

namespace quillbox {

// The current user's Internet settings, as the system's settings dialog stores them.
struct UserProxySettings {
  bool autoDetect = false;    // "Automatically detect settings" (WPAD)
  std::string autoConfigUrl;  // "Use automatic configuration script"; empty when not set
  std::string proxy;          // fixed proxy: "host:port", or "http=host:port;https=host:port"
  std::string bypass;         // "<local>;*.school.example;10.*"; empty when none
};

// What automatic detection or a configuration script answered for one URL.
struct AutoProxyAnswer {
  bool direct = false;  // the answer was DIRECT
  std::string proxy;    // otherwise a proxy list, "host:port;host:port"
  std::string bypass;   // a bypass list that came with it, usually empty
};

class ProxyLookup {
 public:
  virtual ~ProxyLookup() = default;
  // Nothing when the settings cannot be read.
  virtual std::optional<UserProxySettings> UserSettings() = 0;
  // Runs automatic detection (when autoDetect) and the script at autoConfigUrl (when not
  // empty) for url. Nothing when neither gave an answer. May take seconds.
  virtual std::optional<AutoProxyAnswer> AutoProxyFor(const std::string& url, bool autoDetect,
                                                      const std::string& autoConfigUrl) = 0;
};

}  // namespace quillbox
