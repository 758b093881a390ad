#include "request_log.h"

#include <httplib.h>

#include <algorithm>
#include <stdexcept>

namespace quillbox::reference {

namespace {

// Entries cpp-httplib adds to Request::headers itself after reading the real ones.
constexpr const char* kLibraryEntries[] = {"REMOTE_ADDR", "REMOTE_PORT", "LOCAL_ADDR",
                                           "LOCAL_PORT"};

}  // namespace

std::string FormatRequestBlock(const std::string& requestLine, const HeaderLines& headers) {
  std::string block = requestLine + "\n";
  for (const auto& [name, value] : headers) block += name + ": " + value + "\n";
  block += "\n";
  return block;
}

std::string RequestLineOf(const httplib::Request& request) {
  return request.method + " " + request.target + " " + request.version;
}

HeaderLines ReceivedHeaders(const httplib::Request& request) {
  HeaderLines headers(request.headers.begin(), request.headers.end());
  // The library's own entries were inserted last, so each is the last one of its name.
  for (const char* name : kLibraryEntries) {
    const auto last = std::find_if(headers.rbegin(), headers.rend(),
                                   [name](const auto& header) { return header.first == name; });
    if (last != headers.rend()) headers.erase(std::next(last).base());
  }
  return headers;
}

RequestLog::RequestLog(const std::string& path) : file_(std::fopen(path.c_str(), "ab")) {
  if (!file_) throw std::runtime_error("cannot open request log " + path);
}

RequestLog::~RequestLog() { std::fclose(file_); }

void RequestLog::Record(const httplib::Request& request) {
  const std::string block = FormatRequestBlock(RequestLineOf(request), ReceivedHeaders(request));
  std::lock_guard<std::mutex> lock(mutex_);
  std::fwrite(block.data(), 1, block.size(), file_);
  std::fflush(file_);
}

}  // namespace quillbox::reference
