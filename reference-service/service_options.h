#pragma once

#include <optional>
#include <string>
#include <vector>

namespace quillbox::reference {

// What the command line of quillbox-reference-service asks for.
struct ServiceOptions {
  int port = 0;              // 0: let the system choose a free port
  std::string databasePath;  // SQLite file; created and populated when absent
  std::string logPath;       // request log; empty: no log
  std::string bankPath;      // JSON comment bank used to populate a new database; empty: built-in sample
  bool showHelp = false;
};

struct ParsedOptions {
  std::optional<ServiceOptions> options;  // empty when the command line was refused
  std::string error;                      // why it was refused
};

// Parses the arguments after the program name. "--name value" and "--name=value" are both
// accepted; --db is required unless --help is given.
ParsedOptions ParseServiceOptions(const std::vector<std::string>& arguments);

std::string ServiceUsage(const std::string& programName);

}  // namespace quillbox::reference
