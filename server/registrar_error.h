#pragma once
// How the registration script interpreter reports a script it cannot read: the HRESULT the
// run returns and a sentence that says where and why.

#include <cstdint>
#include <string>
#include <string_view>

namespace quillbox {

namespace registrar_error {
// DISP_E_EXCEPTION: what a registrar answers for a script it cannot read.
constexpr int32_t kBadScript = static_cast<int32_t>(0x80020009u);
}  // namespace registrar_error

struct RegistrarError {
  int32_t code = 0;     // 0 when there was no error
  std::string message;  // e.g. "line 4: expected '{' after HKCR"

  explicit operator bool() const { return code != 0; }
};

// Script text for a message: ASCII kept, anything else shown as '?'.
inline std::string PrintableForMessage(std::u16string_view text) {
  std::string out;
  for (char16_t c : text) out.push_back(c >= 0x20 && c < 0x7F ? static_cast<char>(c) : '?');
  return out;
}

}  // namespace quillbox
