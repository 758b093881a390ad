#pragma once
// The link colours that a teacher may have set for web links in Internet Explorer's settings
// ("Anchor Color", "Anchor Color Visited"), as the registry stores them: text such as
// "0,128,0" holding red, green and blue.

#include <cstdint>
#include <optional>
#include <string_view>

namespace quillbox {

struct LinkColour {
  uint8_t red = 0;
  uint8_t green = 0;
  uint8_t blue = 0;
};

inline bool operator==(const LinkColour& a, const LinkColour& b) {
  return a.red == b.red && a.green == b.green && a.blue == b.blue;
}

// At most this many characters before the terminating null; "255,255,255" fits exactly.
constexpr size_t kMaxAnchorColourLength = 11;

// Reads a colour from a string value's stored data (UTF-16 units as read from the registry,
// including the terminating null). The data must be terminated, hold 1 to 11 characters
// before the terminator and consist of three unsigned decimal numbers separated by commas
// (spaces around a number are allowed); each number is taken modulo 256. Anything else gives
// nothing, and the caller keeps its default colour.
std::optional<LinkColour> ParseAnchorColour(std::u16string_view storedData);

}  // namespace quillbox
