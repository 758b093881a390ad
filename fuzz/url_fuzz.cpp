// URL splitting and encoding with arbitrary bytes.
#include <cstdlib>
#include <string_view>

#include "common/text_utf.h"
#include "service/url_encode.h"
#include "service/url_split.h"

using namespace quillbox;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view url(reinterpret_cast<const char*>(data), size);
  const RequestTarget target = SplitRequestUrl(url);
  if (target.path.empty() || target.path[0] != '/') std::abort();
  if (target.port == 0) std::abort();

  const std::string encoded = UrlEncode(Utf8ToUtf16(url));
  for (char c : encoded) {
    // Only unreserved characters and escapes: nothing that could split a query string.
    if (c == '&' || c == '=' || c == '?' || c == '/' || c == '#' || c == ' ' || static_cast<unsigned char>(c) >= 0x80) {
      std::abort();
    }
  }
  return 0;
}
