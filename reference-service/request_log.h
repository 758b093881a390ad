#pragma once

#include <cstdio>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace httplib {
struct Request;
}

namespace quillbox::reference {

using HeaderLines = std::vector<std::pair<std::string, std::string>>;

// One block of the request log: the request line exactly as received, one "Name: value" line
// per header, then an empty line.
std::string FormatRequestBlock(const std::string& requestLine, const HeaderLines& headers);

// The request line as received: method, raw target (escapes untouched) and version.
std::string RequestLineOf(const httplib::Request& request);

// The headers the client sent. The HTTP library keeps them ordered by name (compared without
// regard to case; headers of one name in the order received) and adds four entries of its own
// (REMOTE_ADDR, REMOTE_PORT, LOCAL_ADDR, LOCAL_PORT), which are left out here.
HeaderLines ReceivedHeaders(const httplib::Request& request);

// Appends one block per request to a file, flushed at once, so that a test can read what was
// on the wire as soon as it has the reply. Safe to call from several threads.
class RequestLog {
 public:
  // Opens path for appending; throws std::runtime_error when it cannot.
  explicit RequestLog(const std::string& path);
  ~RequestLog();
  RequestLog(const RequestLog&) = delete;
  RequestLog& operator=(const RequestLog&) = delete;

  void Record(const httplib::Request& request);

 private:
  std::mutex mutex_;
  std::FILE* file_ = nullptr;
};

}  // namespace quillbox::reference
