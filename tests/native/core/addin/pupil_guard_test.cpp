// No pronoun set is carried from one pupil to the next, and the comment gallery shows what was
// already written for whom.

#include "addin/addin_fixture.h"

namespace quillbox {
namespace {

using testing::Ids;
using testing::LoggedInCore;

using PupilGuard = LoggedInCore;

enum class Set { kNone, kBoy, kGirl, kThey };

Set PressedOf(const AddinCore& core) {
  const int pressed = core.GetPressedBoy() + core.GetPressedGirl() + core.GetPressedThey();
  if (pressed > 1) ADD_FAILURE() << "more than one toggle pressed";
  if (core.GetPressedBoy()) return Set::kBoy;
  if (core.GetPressedGirl()) return Set::kGirl;
  return core.GetPressedThey() ? Set::kThey : Set::kNone;
}

TEST_F(PupilGuard, EachNameGetsItsOwnRememberedSetOrNone) {
  const struct {
    const char16_t* name;  // typed into the name box, or null
    void (AddinCore::*press)(WindowHandle);
    Set pressed;
    bool enabled;
  } steps[] = {
      {u"Amira", nullptr, Set::kNone, false},
      {nullptr, &AddinCore::PressGirl, Set::kGirl, true},
      {u"Tom", nullptr, Set::kNone, false},
      {u"Tom ", nullptr, Set::kNone, false},
      {nullptr, &AddinCore::PressBoy, Set::kBoy, true},
      {u" aMIRA", nullptr, Set::kGirl, true},
      {u"", nullptr, Set::kNone, false},
      {nullptr, &AddinCore::PressThey, Set::kThey, false},
      {u"tom", nullptr, Set::kBoy, true},
      {u"Pupil name", nullptr, Set::kBoy, true},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.name ? std::string(step.name, step.name + std::char_traits<char16_t>::length(step.name)) : "press");
    if (step.name) core.OnChangeName(step.name);
    if (step.press) (core.*step.press)(kNoWindow);
    EXPECT_EQ(PressedOf(core), step.pressed);
    EXPECT_EQ(core.GetEnabledComment(), step.enabled);
    EXPECT_EQ(core.GetSupertipComment(), step.enabled ? u"Just click on a comment to insert it."
                                                      : u"Type the pupil's first name and choose Boy, Girl or They.");
  }
}

TEST_F(PupilGuard, TheSameNameTypedAgainChangesNothingButItsSpelling) {
  core.OnChangeName(u"Amira");
  core.PressGirl();
  core.SelecteItemChangedCategory(1);
  ribbon.Take();
  core.OnChangeName(u"Amira");
  EXPECT_TRUE(ribbon.Take().empty());
  core.OnChangeName(u"AMIRA ");
  EXPECT_EQ(ribbon.Take(), (Ids{u"category", u"comment"}));
  EXPECT_EQ(core.GetSelectedItemIndexCategory(), 1);
  EXPECT_TRUE(core.GetPressedGirl());
}

TEST_F(PupilGuard, AClickOnTheDisabledGalleryWritesNothing) {
  core.OnChangeName(u"Tom");
  ribbon.Take();
  core.SelecteItemChangedComment(0);
  EXPECT_EQ(document.text, u"");
  EXPECT_TRUE(ribbon.Take().empty());
  EXPECT_EQ(core.GetSelectedItemIndexCategory(), 0);
}

TEST_F(PupilGuard, WrittenCommentsAreTickedAndNameTheirPupils) {
  const auto write = [this](const char16_t* name, void (AddinCore::*press)(WindowHandle), int32_t comment) {
    core.OnChangeName(name);
    if (press) (core.*press)(kNoWindow);
    core.SelecteItemChangedCategory(0);
    core.SelecteItemChangedComment(comment);
    core.SelecteItemChangedCategory(0);
  };
  write(u"Amira", &AddinCore::PressGirl, 1);
  write(u"Amira", nullptr, 0);
  write(u"Tom", &AddinCore::PressBoy, 1);
  EXPECT_EQ(document.text, u"She is keen. Amira has settled well. He is keen. ");

  const struct {
    const char16_t* name;
    bool ticks[3];  // comments 0 and 1 of "Opening", and an index outside the list
  } views[] = {{u"Tom", {false, true, false}}, {u"amira", {true, true, false}}, {u"Sam", {false, false, false}}};
  for (const auto& view : views) {
    core.OnChangeName(view.name);
    for (int32_t i = 0; i < 3; ++i) EXPECT_EQ(core.GetItemImageComment(i), view.ticks[i]) << i;
  }
  EXPECT_EQ(core.GetItemSupertipComment(0), u"Sam has settled well.\nAlready used for: Amira");
  EXPECT_EQ(core.GetItemSupertipComment(1), u"He is keen.\nAlready used for: Amira, Tom");

  core.LogIn();
  core.LogIn();
  core.OnChangeName(u"Amira");
  EXPECT_FALSE(core.GetPressedGirl());
  EXPECT_FALSE(core.GetItemImageComment(1));
  EXPECT_EQ(core.GetItemSupertipComment(1), u"He is keen.");
}

}  // namespace
}  // namespace quillbox
