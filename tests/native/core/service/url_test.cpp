#include <gtest/gtest.h>

#include "service/browser_failure.h"
#include "service/url_encode.h"
#include "service/url_split.h"
#include "service/website.h"

namespace quillbox {
namespace {

TEST(UrlEncode, EscapesEverythingButLettersDigitsAndSixMarks) {
  EXPECT_EQ(UrlEncode(u"AZaz09~!*()'"), "AZaz09~!*()'");
  EXPECT_EQ(UrlEncode(u"a.b-c_d e@f+g&h/i"), "a%2eb%2dc%5fd%20e%40f%2bg%26h%2fi");
  EXPECT_EQ(UrlEncode(u"Fran\u00e7ais \u00e9"), "Fran%c3%a7ais%20%c3%a9");
  EXPECT_EQ(UrlEncode(u"\U0001F600"), "%f0%9f%98%80");
  EXPECT_EQ(UrlEncode(u""), "");
  EXPECT_EQ(UrlEncode(std::u16string(1, u'\0')), "%00");
}

struct SplitCase {
  std::string url;
  bool secure;
  uint16_t port;
  std::string host;
  std::string path;
};

class SplitRequestUrlTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitRequestUrlTest, Splits) {
  const SplitCase& c = GetParam();
  const RequestTarget target = SplitRequestUrl(c.url);
  EXPECT_EQ(target.secure, c.secure);
  EXPECT_EQ(target.port, c.port);
  EXPECT_EQ(target.host, c.host);
  EXPECT_EQ(target.path, c.path);
}

INSTANTIATE_TEST_SUITE_P(
    Urls, SplitRequestUrlTest,
    ::testing::Values(
        SplitCase{"http://host/service/subjects?user=a", false, 80, "host", "/service/subjects?user=a"},
        SplitCase{"https://host/x", true, 443, "host", "/x"},
        SplitCase{"HTTPS://host/x", true, 443, "host", "/x"},
        SplitCase{"Http://host", false, 80, "host", "/"},
        SplitCase{"host/a/b", false, 80, "host", "/a/b"},
        SplitCase{"host", false, 80, "host", "/"},
        SplitCase{"http://host:8080/p", false, 8080, "host", "/p"},
        SplitCase{"https://localhost:8443", true, 8443, "localhost", "/"},
        SplitCase{"http://[::1]:81/p", false, 81, "[::1]", "/p"},
        // Text that is no port stays part of the host and then fails to resolve.
        SplitCase{"http://host:abc/p", false, 80, "host:abc", "/p"},
        SplitCase{"http://host:70000/p", false, 80, "host:70000", "/p"},
        SplitCase{"http://host/a:9/p", false, 80, "host", "/a:9/p"},
        SplitCase{"http://base/app//service/tabs", false, 80, "base", "/app//service/tabs"},
        SplitCase{"", false, 80, "", "/"}));

// The address shown when no browser starts is the page without the login key, whatever it held.
TEST(BrowserFailure, ShowsThePlainAddressOfThePage) {
  for (const std::u16string page : {u"", u"index/edit"}) {
    const std::u16string message = BrowserFailureMessage(WebsiteAddress(u"https://s.test/a", "a&redirect=x y", page));
    EXPECT_EQ(message.substr(message.rfind(u'\n') + 1), WebsiteAddress(u"https://s.test/a", std::nullopt, page));
    EXPECT_EQ(message.find(u"redirect"), std::u16string::npos);
  }
  EXPECT_EQ(PlainWebsiteAddress(u"http://svc.test/index/edit"), u"http://svc.test/index/edit");
}

}  // namespace
}  // namespace quillbox
