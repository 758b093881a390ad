#include "service/url_split.h"

#include <cctype>

namespace quillbox {
namespace {

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i]) return false;
  }
  return true;
}

// Parses "1".."65535"; anything else is not a port.
bool ParsePort(std::string_view text, uint16_t& port) {
  if (text.empty() || text.size() > 5) return false;
  unsigned value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + static_cast<unsigned>(c - '0');
  }
  if (value == 0 || value > 65535) return false;
  port = static_cast<uint16_t>(value);
  return true;
}

}  // namespace

RequestTarget SplitRequestUrl(std::string_view url) {
  RequestTarget target;
  if (StartsWithNoCase(url, "https://")) {
    url.remove_prefix(8);
    target.secure = true;
    target.port = 443;
  } else if (StartsWithNoCase(url, "http://")) {
    url.remove_prefix(7);
  }

  const size_t slash = url.find('/');
  std::string_view authority = url.substr(0, slash);
  target.path = slash == std::string_view::npos ? "/" : std::string(url.substr(slash));

  // A ":port" after the host (after the closing bracket of an IPv6 literal) chooses the port;
  // text that is not a valid port stays part of the host, which then fails to resolve.
  const size_t bracket = authority.rfind(']');
  const size_t colon = authority.rfind(':');
  if (colon != std::string_view::npos && (bracket == std::string_view::npos || colon > bracket)) {
    uint16_t port;
    if (ParsePort(authority.substr(colon + 1), port)) {
      target.port = port;
      authority = authority.substr(0, colon);
    }
  }
  target.host = std::string(authority);
  return target;
}

}  // namespace quillbox
