#pragma once
// The bodies of the test server's canned replies. Header-only and free of platform code, so
// that the Windows-side tests can compute what they expect to receive.

#include <cstddef>
#include <string>

namespace quillbox::testserver {

// Body of "/canned/zero-byte": text on both sides of a zero byte.
inline std::string ZeroByteBody() { return std::string("before\0after", 12); }

// Body of "/canned/status/<code>".
inline std::string StatusBody(int code) {
  return "canned reply with status " + std::to_string(code);
}

// Body of "/canned/pattern/<size>": byte i is i modulo 251. The period is prime, so chunk
// boundaries never line up with it, and every 251st byte is a zero byte.
inline std::string PatternBody(size_t size) {
  std::string body(size, '\0');
  for (size_t i = 0; i < size; ++i) body[i] = static_cast<char>(i % 251);
  return body;
}

}  // namespace quillbox::testserver
