#include "model/personalise.h"

namespace quillbox {
namespace {

// Replaces every occurrence of marker in text, scanning left to right; the inserted words
// are not scanned again.
std::u16string ReplaceAll(const std::u16string& text, char16_t marker, std::u16string_view word) {
  std::u16string out;
  out.reserve(text.size());
  for (char16_t c : text) {
    if (c == marker) {
      out.append(word);
    } else {
      out.push_back(c);
    }
  }
  return out;
}

// Characters above U+00FF that the system's character classification counts as spaces.
bool IsWideSpace(char16_t c) {
  switch (c) {
    case 0x1680: case 0x2028: case 0x2029: case 0x202F: case 0x205F: case 0x3000:
      return true;
    default:
      return c >= 0x2000 && c <= 0x200A;
  }
}

}  // namespace

std::u16string PersonaliseComment(std::u16string_view text, std::u16string_view pupilName, bool isBoy) {
  std::u16string result = ReplaceAll(std::u16string(text), u'#', pupilName);
  result = ReplaceAll(result, u'~', isBoy ? u"his" : u"her");
  result = ReplaceAll(result, u'^', isBoy ? u"he" : u"she");
  result = ReplaceAll(result, u'*', isBoy ? u"him" : u"her");
  if (!result.empty() && result[0] >= u'a' && result[0] <= u'z') {
    result[0] = static_cast<char16_t>(result[0] - u'a' + u'A');
  }
  return result;
}

bool IsLabelSpace(char16_t c) {
  if (c <= 0xFF) return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0xA0;
  return IsWideSpace(c);
}

std::u16string ShortenLabel(std::u16string_view text) {
  if (text.size() <= kLabelLimit) return std::u16string(text);
  size_t cut = kLabelLimit;
  // Never leave half of a surrogate pair at the end of the label.
  const char16_t last = text[cut - 1];
  if (last >= 0xD800 && last <= 0xDBFF) --cut;
  while (cut > 0 && IsLabelSpace(text[cut - 1])) --cut;
  std::u16string label(text.substr(0, cut));
  label += u"...";
  return label;
}

}  // namespace quillbox
