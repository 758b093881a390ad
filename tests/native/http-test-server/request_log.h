#pragma once
// What reached the test server, written to a file as it arrives so that a test can read it
// while the server keeps running.

#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace quillbox::testserver {

using HeaderList = std::vector<std::pair<std::string, std::string>>;

// The headers as they came over the wire: without the address entries the server library
// adds to every request (LOCAL_ADDR, LOCAL_PORT, REMOTE_ADDR, REMOTE_PORT).
HeaderList WireHeaders(const HeaderList& headers);

// The request line, then one "Name: value" line per header, then an empty line.
std::string FormatRequest(const std::string& method, const std::string& target,
                          const std::string& version, const HeaderList& headers);

// Appends entries to a file; each entry is on disk when Append returns. An empty path
// makes the log discard everything.
class RequestLog {
 public:
  explicit RequestLog(std::string path) : path_(std::move(path)) {}
  void Append(const std::string& entry);

 private:
  std::mutex mutex_;
  std::string path_;
};

}  // namespace quillbox::testserver
