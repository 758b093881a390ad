#include "percent_decoding.h"

#include <gtest/gtest.h>

namespace quillbox::reference {
namespace {

TEST(PercentDecode, DecodesEscapesOfEitherCaseAndPlus) {
  const struct {
    const char* input;
    std::optional<std::string> decoded;
  } cases[] = {
      {"jane%2edoe%40example%2ecom", "jane.doe@example.com"},
      {"Art%20%26%20Design", "Art & Design"},
      {"Fran%c3%a7ais", "Fran\xc3\xa7" "ais"},
      {"Fran%C3%A7ais", "Fran\xc3\xa7" "ais"},
      {"a+b%2b", "a b+"},
      {"", ""},
      {"abc%4", std::nullopt},
      {"%zz", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(PercentDecode(c.input), c.decoded) << c.input;
}

TEST(IsValidUtf8, AcceptsWellFormedTextOnly) {
  const struct {
    std::string text;
    bool valid;
  } cases[] = {
      {"ascii", true},           {"\xc3\xa9t\xc3\xa9", true},  {"\xf0\x9f\x98\x80", true},
      {"\xe9t\xe9", false},      {"\xc3", false},              {"\xc0\xaf", false},
      {"\xed\xa0\x80", false},   {"\xf4\x90\x80\x80", false},  {"\xc3\x28", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsValidUtf8(c.text), c.valid) << ::testing::PrintToString(c.text);
  }
}

TEST(ParseQueryString, SplitsAndDecodesParameters) {
  const QueryParameters query = ParseQueryString(
      "user=jane%2edoe%40example%2ecom&password=&subject=Art%20%26%20Design&&flag&user=x&k=a=b");
  EXPECT_EQ(query.error, "");
  EXPECT_EQ(query.values, (std::map<std::string, std::string>{{"user", "jane.doe@example.com"},
                                                              {"password", ""},
                                                              {"subject", "Art & Design"},
                                                              {"flag", ""},
                                                              {"k", "a=b"}}));
  EXPECT_NE(ParseQueryString("subject=%e9").error, "");
  EXPECT_NE(ParseQueryString("subject=%g0").error, "");
  EXPECT_EQ(QueryOfTarget("/p?a=1?b"), "a=1?b");
  EXPECT_EQ(QueryOfTarget("/p"), "");
}

}  // namespace
}  // namespace quillbox::reference
