#pragma once
// The rules that turn what the registry returned for the base URL value into the URL.

#include <cstdint>
#include <string>
#include <string_view>

namespace quillbox {

constexpr uint32_t kRegNone = 0;
constexpr uint32_t kRegSz = 1;
constexpr uint32_t kRegExpandSz = 2;

// querySucceeded: whether the value could be read (key and value present, access granted).
// type: the registry type; bytes: the value's data, whole. The result is the text up to the
// first null character, taken as UTF-16 little-endian whatever the type; REG_EXPAND_SZ is not
// expanded. A failed query or an empty string value gives the empty string.
std::u16string BaseUrlFromRegistryValue(bool querySucceeded, uint32_t type, std::string_view bytes);

}  // namespace quillbox
