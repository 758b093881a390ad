#include "common/text_utf.h"

#include <gtest/gtest.h>

namespace quillbox {
namespace {

TEST(TextUtf, RoundTripsEveryPlane) {
  const std::u16string text = u"A\u00e9\u20ac\U0001F600z";
  EXPECT_EQ(Utf16ToUtf8(text), "A\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80z");
  EXPECT_EQ(Utf8ToUtf16(Utf16ToUtf8(text)), text);
}

TEST(TextUtf, IllFormedUtf8BecomesReplacementCharacters) {
  const struct {
    std::string input;
    std::u16string expected;
  } cases[] = {
      {"a\xff" "b", u"a\uFFFDb"},
      {"\xc3", u"\uFFFD"},                    // truncated at the end
      {"\xc3(", u"\uFFFD("},                  // broken by a non-continuation byte
      {"\xc0\xaf", u"\uFFFD"},                // overlong
      {"\xed\xa0\x80", u"\uFFFD"},            // encoded surrogate
      {"\xf4\x90\x80\x80", u"\uFFFD"},        // beyond U+10FFFF
      {"\x80\x80", u"\uFFFD\uFFFD"},          // stray continuation bytes
  };
  for (const auto& c : cases) EXPECT_EQ(Utf8ToUtf16(c.input), c.expected) << c.input;
}

TEST(TextUtf, LoneSurrogatesBecomeReplacementCharacters) {
  EXPECT_EQ(Utf16ToUtf8(std::u16string{u'a', char16_t{0xD800}, u'b'}), "a\xef\xbf\xbd" "b");
  EXPECT_EQ(Utf16ToUtf8(std::u16string{char16_t{0xDC00}}), "\xef\xbf\xbd");
}

}  // namespace
}  // namespace quillbox
