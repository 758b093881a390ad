#pragma once

#include <string>
#include <string_view>

namespace quillbox {

// UTF-8 bytes of the text, each escaped as %xx (lower-case hex) except ASCII letters, digits
// and ~ ! * ( ) '.
std::string UrlEncode(std::u16string_view text);

}  // namespace quillbox
