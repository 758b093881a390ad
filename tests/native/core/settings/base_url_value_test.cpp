#include "settings/base_url_value.h"

#include <gtest/gtest.h>

namespace quillbox {
namespace {

std::string Utf16Bytes(std::u16string_view text) {
  std::string bytes;
  for (char16_t c : text) {
    bytes.push_back(static_cast<char>(c & 0xFF));
    bytes.push_back(static_cast<char>(c >> 8));
  }
  return bytes;
}

TEST(BaseUrlFromRegistryValue, FollowsTheValueRules) {
  const std::u16string url = u"https://comments.example.org";
  EXPECT_EQ(BaseUrlFromRegistryValue(true, kRegSz, Utf16Bytes(url + u'\0')), url);
  EXPECT_EQ(BaseUrlFromRegistryValue(true, kRegSz, Utf16Bytes(url)), url) << "no terminator stored";
  EXPECT_EQ(BaseUrlFromRegistryValue(false, kRegSz, Utf16Bytes(url)), u"") << "query failed";
  EXPECT_EQ(BaseUrlFromRegistryValue(true, kRegSz, ""), u"") << "zero-length string";
  EXPECT_EQ(BaseUrlFromRegistryValue(true, kRegExpandSz, ""), u"");
  EXPECT_EQ(BaseUrlFromRegistryValue(true, kRegExpandSz, Utf16Bytes(u"%BASE%/x")), u"%BASE%/x") << "not expanded";
  EXPECT_EQ(BaseUrlFromRegistryValue(true, kRegSz, Utf16Bytes(std::u16string(u"http://a\0b", 10))), u"http://a");
  EXPECT_EQ(BaseUrlFromRegistryValue(true, kRegSz, Utf16Bytes(u"ab") + "c"), u"ab") << "odd byte dropped";
}

TEST(BaseUrlFromRegistryValue, ReadsLongValuesWhole) {
  const std::u16string longUrl = u"http://host/" + std::u16string(700, u'p');
  EXPECT_EQ(BaseUrlFromRegistryValue(true, kRegSz, Utf16Bytes(longUrl + u'\0')), longUrl);
}

}  // namespace
}  // namespace quillbox
