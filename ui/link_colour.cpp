#include "ui/link_colour.h"

namespace quillbox {
namespace {

bool IsSpace(char16_t c) { return c == u' ' || c == u'\t'; }
bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// One component: optional spaces, at least one digit, optional spaces. Modulo 256 as it goes,
// so no length of digits can overflow.
std::optional<uint8_t> ParseComponent(std::u16string_view text) {
  size_t pos = 0;
  while (pos < text.size() && IsSpace(text[pos])) ++pos;
  const size_t digitsStart = pos;
  unsigned value = 0;
  while (pos < text.size() && IsDigit(text[pos])) {
    value = (value * 10 + static_cast<unsigned>(text[pos] - u'0')) % 256;
    ++pos;
  }
  if (pos == digitsStart) return std::nullopt;
  while (pos < text.size() && IsSpace(text[pos])) ++pos;
  if (pos != text.size()) return std::nullopt;
  return static_cast<uint8_t>(value);
}

}  // namespace

std::optional<LinkColour> ParseAnchorColour(std::u16string_view storedData) {
  const size_t terminator = storedData.find(u'\0');
  if (terminator == std::u16string_view::npos) return std::nullopt;
  std::u16string_view text = storedData.substr(0, terminator);
  if (text.empty() || text.size() > kMaxAnchorColourLength) return std::nullopt;

  uint8_t parts[3] = {};
  for (int i = 0; i < 3; ++i) {
    const size_t comma = text.find(u',');
    const bool last = i == 2;
    if (last != (comma == std::u16string_view::npos)) return std::nullopt;
    const auto component = ParseComponent(text.substr(0, comma));
    if (!component) return std::nullopt;
    parts[i] = *component;
    if (!last) text.remove_prefix(comma + 1);
  }
  return LinkColour{parts[0], parts[1], parts[2]};
}

}  // namespace quillbox
