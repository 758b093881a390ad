#pragma once
// Comparison of UTF-16 text with the letters A to Z matched regardless of case and every other
// code unit matched exactly, as the registrar compares keywords, root names and variables.

#include <string_view>

namespace quillbox {

constexpr char16_t AsciiLower(char16_t c) { return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c - u'A' + u'a') : c; }

constexpr bool AsciiEqualsIgnoreCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

}  // namespace quillbox
