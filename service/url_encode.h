#pragma once

#include <string>
#include <string_view>

namespace quillbox {

// UTF-8 bytes of the text, each escaped as %xx (lower-case hex) except ASCII letters, digits
// and ~ ! * ( ) '.
std::string UrlEncode(std::u16string_view text);

// The bytes as they stand, each escaped as %XX (upper-case hex) except the characters that
// never need escaping anywhere in a URL: ASCII letters, digits and - . _ ~. Text made only of
// those comes back unchanged.
std::string PercentEscapeBytes(std::string_view bytes);

}  // namespace quillbox
