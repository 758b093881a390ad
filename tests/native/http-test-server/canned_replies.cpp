#include "canned_replies.h"

#include <fstream>
#include <optional>
#include <sstream>

#include "canned_bodies.h"

namespace quillbox::testserver {

namespace {

constexpr std::string_view kStatusPrefix = "/canned/status/";
constexpr std::string_view kPatternPrefix = "/canned/pattern/";
constexpr std::string_view kZeroBytePath = "/canned/zero-byte";

// The decimal number that makes up all of text, or nothing (no sign, no spaces, no overflow
// beyond limit).
std::optional<size_t> ParseCount(std::string_view text, size_t limit) {
  if (text.empty() || text.size() > 10) return std::nullopt;
  size_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<size_t>(c - '0');
  }
  if (value > limit) return std::nullopt;
  return value;
}

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

CannedReply NotFound(std::string_view path) {
  return CannedReply{404, "no canned reply for " + std::string(path)};
}

CannedReply FileReply(const std::string& filePath) {
  std::ifstream file(filePath, std::ios::binary);
  if (!file) return CannedReply{500, "cannot read " + filePath};
  std::ostringstream content;
  content << file.rdbuf();
  return CannedReply{200, content.str(), "application/json"};
}

}  // namespace

CannedReply ReplyFor(std::string_view path, const ReplyFiles& files) {
  if (const auto file = files.find(std::string(path)); file != files.end()) {
    return FileReply(file->second);
  }
  if (path == kZeroBytePath) {
    return CannedReply{200, ZeroByteBody(), "application/octet-stream"};
  }
  if (StartsWith(path, kStatusPrefix)) {
    // A path or query below the status (a base URL's requests) gets the same status.
    std::string_view digits = path.substr(kStatusPrefix.size());
    digits = digits.substr(0, digits.find_first_of("/?"));
    const auto code = ParseCount(digits, 599);
    if (!code || *code < 200) return NotFound(path);
    const int status = static_cast<int>(*code);
    return CannedReply{status, StatusBody(status)};
  }
  if (StartsWith(path, kPatternPrefix)) {
    const auto size = ParseCount(path.substr(kPatternPrefix.size()), kMaxPatternSize);
    if (!size) return NotFound(path);
    return CannedReply{200, PatternBody(*size), "application/octet-stream"};
  }
  return NotFound(path);
}

}  // namespace quillbox::testserver
