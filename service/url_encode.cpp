#include "service/url_encode.h"

#include "common/text_utf.h"

namespace quillbox {
namespace {

bool IsUnreserved(unsigned char c) {
  if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) return true;
  switch (c) {
    case '~': case '!': case '*': case '(': case ')': case '\'':
      return true;
    default:
      return false;
  }
}

bool IsUriUnreserved(unsigned char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '-' ||
         c == '.' || c == '_' || c == '~';
}

// Every byte that `keep` rejects becomes %XX with the given hex digits.
std::string PercentEscape(std::string_view bytes, bool (*keep)(unsigned char), const char* hex) {
  std::string out;
  out.reserve(bytes.size() * 3);
  for (char ch : bytes) {
    const auto c = static_cast<unsigned char>(ch);
    if (keep(c)) {
      out.push_back(ch);
    } else {
      out.push_back('%');
      out.push_back(hex[c >> 4]);
      out.push_back(hex[c & 0x0F]);
    }
  }
  return out;
}

}  // namespace

std::string UrlEncode(std::u16string_view text) {
  return PercentEscape(Utf16ToUtf8(text), IsUnreserved, "0123456789abcdef");
}

std::string PercentEscapeBytes(std::string_view bytes) {
  return PercentEscape(bytes, IsUriUnreserved, "0123456789ABCDEF");
}

}  // namespace quillbox
