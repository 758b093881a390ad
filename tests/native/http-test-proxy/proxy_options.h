#pragma once
// The test proxy's command line.

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace quillbox::testproxy {

struct ProxyOptions {
  int port = 0;                                // 0: any free port, printed on start-up
  std::string logPath;                         // every request line and header received
  std::map<std::string, std::string> hosts;    // --map NAME=IPV4: names only this proxy knows
  int refuseWith = 0;                          // --refuse STATUS: every request gets it
};

// Nothing when the command line is wrong; the reason goes to error.
std::optional<ProxyOptions> ParseProxyOptions(const std::vector<std::string>& arguments, std::string& error);

}  // namespace quillbox::testproxy
