#pragma once
// The model's UTF-16 text at the Windows boundary: on Windows wchar_t is a UTF-16 code unit,
// so the two views share their bytes.

#include <string>
#include <string_view>

namespace quillbox::win {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wchar_t is UTF-16");

inline const wchar_t* AsWide(const std::u16string& text) {
  return reinterpret_cast<const wchar_t*>(text.c_str());
}
inline std::wstring ToWide(std::u16string_view text) {
  return std::wstring(reinterpret_cast<const wchar_t*>(text.data()), text.size());
}
inline std::u16string FromWide(std::wstring_view text) {
  return std::u16string(reinterpret_cast<const char16_t*>(text.data()), text.size());
}
inline std::u16string FromWide(const wchar_t* text, size_t length) {
  return std::u16string(reinterpret_cast<const char16_t*>(text), length);
}

}  // namespace quillbox::win
