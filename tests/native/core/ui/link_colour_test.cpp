#include "ui/link_colour.h"

#include <gtest/gtest.h>

#include <string>

namespace quillbox {
namespace {

// Registry data as stored: the text followed by its terminating null.
std::u16string Stored(std::u16string text) { return text + u'\0'; }

struct ColourCase {
  const char* name;
  std::u16string data;
  std::optional<LinkColour> expected;
};

class ParseAnchorColourTest : public testing::TestWithParam<ColourCase> {};

TEST_P(ParseAnchorColourTest, ReadsOrRejects) {
  const ColourCase& c = GetParam();
  const auto colour = ParseAnchorColour(c.data);
  ASSERT_EQ(colour.has_value(), c.expected.has_value());
  if (colour) {
    EXPECT_EQ(colour->red, c.expected->red);
    EXPECT_EQ(colour->green, c.expected->green);
    EXPECT_EQ(colour->blue, c.expected->blue);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Values, ParseAnchorColourTest,
    testing::Values(
        ColourCase{"Green", Stored(u"0,128,0"), LinkColour{0, 128, 0}},
        ColourCase{"Widest", Stored(u"255,255,255"), LinkColour{255, 255, 255}},
        ColourCase{"ModuloComponents", Stored(u"256,300,511"), LinkColour{0, 44, 255}},
        ColourCase{"SpacesAroundNumbers", Stored(u" 1, 2 ,3"), LinkColour{1, 2, 3}},
        ColourCase{"LeadingZeros", Stored(u"007,08,9"), LinkColour{7, 8, 9}},
        ColourCase{"DataAfterTerminatorIgnored", Stored(u"1,2,3") + u"xx", LinkColour{1, 2, 3}},
        ColourCase{"TwelveCharacters", Stored(u"0255,255,255"), std::nullopt},
        ColourCase{"NotTerminated", u"0,128,0", std::nullopt},
        ColourCase{"Empty", Stored(u""), std::nullopt},
        ColourCase{"NoData", u"", std::nullopt},
        ColourCase{"TwoComponents", Stored(u"0,128"), std::nullopt},
        ColourCase{"FourComponents", Stored(u"1,2,3,4"), std::nullopt},
        ColourCase{"EmptyComponent", Stored(u"1,,3"), std::nullopt},
        ColourCase{"TrailingComma", Stored(u"1,2,"), std::nullopt},
        ColourCase{"Letters", Stored(u"red,0,0"), std::nullopt},
        ColourCase{"NegativeNumber", Stored(u"-1,0,0"), std::nullopt},
        ColourCase{"DigitsThenText", Stored(u"1,2,3px"), std::nullopt},
        ColourCase{"SpaceInsideNumber", Stored(u"1 2,3,4"), std::nullopt}),
    [](const testing::TestParamInfo<ColourCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quillbox
