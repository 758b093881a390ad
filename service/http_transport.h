#pragma once

#include <string>

namespace quillbox {

// Blocking HTTP GET. The reply body comes back whatever the status code; every failure is
// silent and yields what was read until then (empty when nothing arrived).
class HttpTransport {
 public:
  virtual ~HttpTransport() = default;
  virtual std::string Get(const std::string& url) = 0;
};

}  // namespace quillbox
