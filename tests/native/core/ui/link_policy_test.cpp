#include "ui/link_policy.h"

#include <gtest/gtest.h>

#include <string>

namespace quillbox {
namespace {

struct UrlCase {
  std::u16string url;
  bool openable;
};

class IsOpenableLinkUrlTest : public testing::TestWithParam<UrlCase> {};

TEST_P(IsOpenableLinkUrlTest, OpensOnlyWebPages) {
  EXPECT_EQ(IsOpenableLinkUrl(GetParam().url), GetParam().openable);
}

INSTANTIATE_TEST_SUITE_P(
    Urls, IsOpenableLinkUrlTest,
    testing::Values(
        UrlCase{u"http://reports.example/index/forgot", true},
        UrlCase{u"https://reports.example/", true},
        UrlCase{u"HTTP://REPORTS.EXAMPLE", true},
        UrlCase{u"hTtPs://x", true},
        UrlCase{u"http://reports.example//index/forgot", true},
        UrlCase{u"http://h/p?q=%22a%20b%22", true},
        UrlCase{u"", false},
        UrlCase{u"http://", false},
        UrlCase{u"https://", false},
        UrlCase{u"/index/forgot", false},
        UrlCase{u"Forgot Password?", false},
        UrlCase{u"C:\\Windows\\System32\\calc.exe", false},
        UrlCase{u"\\\\server\\share\\run.exe", false},
        UrlCase{u"file:///C:/Windows/win.ini", false},
        UrlCase{u"javascript:alert(1)", false},
        UrlCase{u"mailto:teacher@example.org", false},
        UrlCase{u"ftp://reports.example/", false},
        UrlCase{u"httpx://reports.example/", false},
        UrlCase{u"http:reports.example", false},
        UrlCase{u" http://reports.example/", false},
        UrlCase{u"http://reports.example/ --new-window", false},
        UrlCase{u"http://reports.example/\" --flag", false},
        UrlCase{u"http://reports.example/\n", false},
        UrlCase{u"http://reports.example/\x7f", false}));

}  // namespace
}  // namespace quillbox
