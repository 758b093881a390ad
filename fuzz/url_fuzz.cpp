// URL splitting and encoding, and the proxy settings' list forms, with arbitrary bytes.
#include <cstdlib>
#include <string_view>

#include "common/text_utf.h"
#include "service/proxy_lists.h"
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

  // A login key escaped for the auto-login address: only unreserved characters and %XX.
  const std::string escaped = PercentEscapeBytes(url);
  for (size_t i = 0; i < escaped.size(); ++i) {
    const char c = escaped[i];
    const bool plain = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '-' ||
                       c == '.' || c == '_' || c == '~';
    if (c == '%') {
      if (i + 2 >= escaped.size()) std::abort();
      i += 2;
    } else if (!plain) {
      std::abort();
    }
  }

  // The input as a proxy list and as a bypass list: a chosen proxy always has a port.
  for (const char* scheme : {"http", "https"}) {
    const auto proxy = ProxyForScheme(url, scheme);
    if (proxy && (proxy->empty() || proxy->find(':') == std::string::npos)) std::abort();
    (void)BypassListNames(url, scheme, "comments.school.example");
  }
  return 0;
}
