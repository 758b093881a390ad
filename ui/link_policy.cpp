#include "ui/link_policy.h"

namespace quillbox {
namespace {

char16_t ToLowerAscii(char16_t c) { return (c >= u'A' && c <= u'Z') ? c + (u'a' - u'A') : c; }

bool StartsWithIgnoringCase(std::u16string_view text, std::u16string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    if (ToLowerAscii(text[i]) != prefix[i]) return false;
  }
  return true;
}

bool IsForbiddenInUrl(char16_t c) { return c <= u' ' || c == 0x7F || c == u'"'; }

}  // namespace

bool IsOpenableLinkUrl(std::u16string_view url) {
  size_t schemeLength = 0;
  if (StartsWithIgnoringCase(url, u"https://")) {
    schemeLength = 8;
  } else if (StartsWithIgnoringCase(url, u"http://")) {
    schemeLength = 7;
  } else {
    return false;
  }
  if (url.size() == schemeLength) return false;
  for (char16_t c : url) {
    if (IsForbiddenInUrl(c)) return false;
  }
  return true;
}

}  // namespace quillbox
