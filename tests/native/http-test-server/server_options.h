#pragma once
// The test server's command line.

#include <optional>
#include <string>
#include <vector>

#include "canned_replies.h"

namespace quillbox::testserver {

struct ServerOptions {
  int port = 0;                 // 0: any free port, printed on start-up
  std::string logPath;          // empty: no request log
  std::string certPath;         // both set: TLS with this certificate and key
  std::string keyPath;
  ReplyFiles replies;           // --reply PATH=FILE
  int readTimeoutSeconds = 2;   // how long a connection may stay silent
  bool showHelp = false;

  bool UsesTls() const { return !certPath.empty(); }
};

struct ParsedOptions {
  std::optional<ServerOptions> options;  // nothing when the command line is wrong
  std::string error;
};

// arguments: the command line without the program name.
ParsedOptions ParseServerOptions(const std::vector<std::string>& arguments);
std::string ServerUsage(const std::string& programName);

}  // namespace quillbox::testserver
