#pragma once
// Conversions between the model's UTF-16 text and the UTF-8 bytes of URLs and JSON.
// Ill-formed input never fails: each broken sequence becomes U+FFFD, so a bad reply from the
// network shows up as a visible replacement character instead of corrupting what follows.

#include <string>
#include <string_view>

namespace quillbox {

std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

}  // namespace quillbox
