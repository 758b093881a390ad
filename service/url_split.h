#pragma once
// Splits a request URL into what the HTTP stack needs to connect and ask for the page.

#include <cstdint>
#include <string>
#include <string_view>

namespace quillbox {

struct RequestTarget {
  bool secure = false;   // TLS
  uint16_t port = 80;
  std::string host;
  std::string path;      // begins with "/", query string included
};

// "https://" (any case) means TLS on port 443, "http://" or no scheme plain HTTP on port 80;
// a ":port" after the host overrides the port. The host ends at the first "/"; an empty path
// becomes "/".
RequestTarget SplitRequestUrl(std::string_view url);

}  // namespace quillbox
