#include "settings/base_url_value.h"

namespace quillbox {

std::u16string BaseUrlFromRegistryValue(bool querySucceeded, uint32_t type, std::string_view bytes) {
  if (!querySucceeded) return {};
  if ((type == kRegSz || type == kRegExpandSz) && bytes.empty()) return {};
  std::u16string text;
  text.reserve(bytes.size() / 2);
  // An odd trailing byte is not a whole character and is dropped.
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto unit = static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                            (static_cast<unsigned char>(bytes[i + 1]) << 8));
    if (unit == 0) break;
    text.push_back(unit);
  }
  return text;
}

}  // namespace quillbox
