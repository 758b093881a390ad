#include "request_log.h"

#include <fstream>

namespace quillbox::testserver {

HeaderList WireHeaders(const HeaderList& headers) {
  HeaderList wire;
  for (const auto& header : headers) {
    const std::string& name = header.first;
    if (name == "LOCAL_ADDR" || name == "LOCAL_PORT" || name == "REMOTE_ADDR" || name == "REMOTE_PORT") {
      continue;
    }
    wire.push_back(header);
  }
  return wire;
}

std::string FormatRequest(const std::string& method, const std::string& target,
                          const std::string& version, const HeaderList& headers) {
  std::string entry = method + " " + target + " " + version + "\n";
  for (const auto& [name, value] : headers) entry += name + ": " + value + "\n";
  entry += "\n";
  return entry;
}

void RequestLog::Append(const std::string& entry) {
  if (path_.empty()) return;
  std::lock_guard<std::mutex> lock(mutex_);
  std::ofstream file(path_, std::ios::binary | std::ios::app);
  file << entry;
}

}  // namespace quillbox::testserver
