#include "model/personalise.h"

#include <gtest/gtest.h>

namespace quillbox {
namespace {

struct PersonaliseCase {
  std::u16string comment;
  std::u16string name;
  PronounSet pronouns;
  std::u16string expected;
};

constexpr PronounSet kBoy = PronounSet::kBoy;
constexpr PronounSet kGirl = PronounSet::kGirl;
constexpr PronounSet kThey = PronounSet::kThey;

class PersonaliseCommentTest : public ::testing::TestWithParam<PersonaliseCase> {};

TEST_P(PersonaliseCommentTest, ReplacesMarkersAndCapitalises) {
  const auto& c = GetParam();
  EXPECT_EQ(PersonaliseComment(c.comment, c.name, c.pronouns), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Markers, PersonaliseCommentTest,
    ::testing::Values(
        PersonaliseCase{u"# works hard.", u"Pupil name", kBoy, u"Pupil name works hard."},
        PersonaliseCase{u"~ work and * effort: ^ tries.", u"Sam", kBoy, u"His work and him effort: he tries."},
        PersonaliseCase{u"~ work and * effort: ^ tries.", u"Sam", kGirl, u"Her work and her effort: she tries."},
        PersonaliseCase{u"~ work and * effort: ^ tries.", u"Sam", kThey, u"Their work and them effort: they try."},
        PersonaliseCase{u"^ reads well.", u"Amy", kGirl, u"She reads well."},
        PersonaliseCase{u"~ reading", u"Amy", kBoy, u"His reading"},
        // An empty name removes the marker; a leading space is not capitalised.
        PersonaliseCase{u"# is kind.", u"", kBoy, u" is kind."},
        // The name is capitalised only where it begins the text.
        PersonaliseCase{u"# and # again", u"zoe", kBoy, u"Zoe and zoe again"},
        // Markers inside the pupil's name are replaced by the later steps.
        PersonaliseCase{u"# sings", u"Al*x", kGirl, u"Alherx sings"},
        PersonaliseCase{u"# sings", u"Al*x", kThey, u"Althemx sings"},
        // A "they" that a marker in the name put in governs its verb like any other.
        PersonaliseCase{u"# sings and # sings", u"^", kThey, u"They sing and they sing"},
        // Only a word after a gap is a verb of "they": not one glued to it or after a bracket.
        PersonaliseCase{u"^works, (^) works", u"Sam", kThey, u"Theyworks, (they) works"},
        // The name step does not scan what it put in.
        PersonaliseCase{u"# sings", u"A#b", kBoy, u"A#b sings"},
        PersonaliseCase{u"good work", u"Sam", kBoy, u"Good work"},
        // Only a to z change: accented letters and digits stay.
        PersonaliseCase{u"\u00e9l\u00e8ve", u"Sam", kBoy, u"\u00e9l\u00e8ve"},
        PersonaliseCase{u"1st place", u"Sam", kBoy, u"1st place"},
        PersonaliseCase{u"", u"Sam", kBoy, u""},
        // Case-sensitive: the replacement words are lower case.
        PersonaliseCase{u"and ^", u"Sam", kGirl, u"And she"}));

TEST(ShortenLabel, KeepsTextUpToOneHundredUnits) {
  const std::u16string hundred(100, u'a');
  EXPECT_EQ(ShortenLabel(hundred), hundred);
  EXPECT_EQ(ShortenLabel(u""), u"");
}

TEST(ShortenLabel, CutsLongTextAndTrimsTrailingSpace) {
  std::u16string text(98, u'a');
  text += u"b ";  // 99th 'b', 100th a space
  text += u"c";   // 101 units
  EXPECT_EQ(ShortenLabel(text), std::u16string(98, u'a') + u"b...");

  const std::u16string long150(150, u'x');
  const std::u16string label = ShortenLabel(long150);
  EXPECT_EQ(label.size(), 103u);
  EXPECT_EQ(label.substr(100), u"...");
}

TEST(ShortenLabel, TrimsEveryKindOfWhiteSpace) {
  for (char16_t space : {u'\t', u'\n', u'\r', u' ', char16_t{0xA0}, char16_t{0x3000}, char16_t{0x2003}}) {
    std::u16string text(97, u'a');
    text += {space, space, space, u'z'};
    EXPECT_EQ(ShortenLabel(text), std::u16string(97, u'a') + u"...") << int(space);
  }
  std::u16string notSpace(99, u'a');
  notSpace += {char16_t{0x200B}, u'z'};
  EXPECT_EQ(ShortenLabel(notSpace).size(), 103u);
}

TEST(ShortenLabel, NeverSplitsASurrogatePair) {
  std::u16string text(99, u'a');
  text += u"\U0001F600";  // units 100 and 101
  text += u"tail";
  EXPECT_EQ(ShortenLabel(text), std::u16string(99, u'a') + u"...");

  std::u16string whole(98, u'a');
  whole += u"\U0001F600";  // units 99 and 100
  whole += u"tail";
  EXPECT_EQ(ShortenLabel(whole), std::u16string(98, u'a') + u"\U0001F600...");
}

}  // namespace
}  // namespace quillbox
