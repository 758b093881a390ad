#include "service/website.h"

#include "common/text_utf.h"
#include "service/url_encode.h"

namespace quillbox {

std::u16string WebsiteAddress(const std::u16string& baseUrl, const std::optional<std::string>& loginKey,
                              const std::u16string& page) {
  if (loginKey) {
    return baseUrl + u"/index/autologin?key=" + Utf8ToUtf16(PercentEscapeBytes(*loginKey)) + u"&redirect=" + page;
  }
  return baseUrl + u"/" + page;
}

}  // namespace quillbox
