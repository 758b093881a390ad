#include "service/browser_failure.h"

namespace quillbox {
namespace {

// What WebsiteAddress puts between the base URL and the key, and between the key and the page.
constexpr char16_t kAutoLogin[] = u"/index/autologin?key=";
constexpr char16_t kRedirect[] = u"&redirect=";

}  // namespace

std::u16string PlainWebsiteAddress(const std::u16string& address) {
  const size_t autoLogin = address.find(kAutoLogin);
  if (autoLogin == std::u16string::npos) return address;
  // The key is percent-escaped, so the first "&redirect=" after it ends it.
  const size_t redirect = address.find(kRedirect, autoLogin);
  const std::u16string page =
      redirect == std::u16string::npos ? u"" : address.substr(redirect + std::char_traits<char16_t>::length(kRedirect));
  return address.substr(0, autoLogin) + u"/" + page;
}

std::u16string BrowserFailureMessage(const std::u16string& address) {
  return u"Windows could not start a web browser for the comment service's website (no browser may be set "
         u"up, or this computer does not let Word start programs). To open the page, copy this address "
         u"into your browser:\n\n" +
         PlainWebsiteAddress(address);
}

}  // namespace quillbox
