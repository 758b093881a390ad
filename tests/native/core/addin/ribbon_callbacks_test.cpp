#include "addin/addin_fixture.h"

namespace quillbox {
namespace {

using testing::CoreFixture;
using testing::Ids;
using testing::LoggedInCore;

class FreshCore : public ::testing::Test, public CoreFixture {};

TEST_F(FreshCore, BeforeLoginShowsLogInAndHidesTheCommentsGroup) {
  EXPECT_EQ(core.GetLabelLogIn(), u"Log In");
  EXPECT_FALSE(core.GetVisibleComments());
  EXPECT_EQ(core.GetTextName(), u"Pupil name");
  EXPECT_TRUE(core.GetPressedBoy());
  EXPECT_FALSE(core.GetPressedGirl());
  EXPECT_FALSE(core.GetPressedThey());
  EXPECT_EQ(core.GetItemCountCategory(), 0);
  EXPECT_EQ(core.GetLabelCategory(), u"Select Category");
  EXPECT_EQ(core.GetItemLabelSubject(0), std::nullopt);
  EXPECT_EQ(core.GetItemIDComment(0), std::nullopt);
  EXPECT_EQ(core.GetSelectedItemIndexComment(), -1);
}

TEST_F(FreshCore, RibbonLoadedReadsTheBaseUrl) {
  settings.baseUrl = u"http://configured";
  core.RibbonLoaded();
  EXPECT_EQ(core.Account().baseUrl, u"http://configured");
  EXPECT_TRUE(ribbon.invalidated.empty());
}

TEST_F(LoggedInCore, ListsMirrorTheStore) {
  EXPECT_EQ(core.GetItemCountSubject(), 2);
  EXPECT_EQ(core.GetItemLabelSubject(1), u"Art");
  EXPECT_EQ(core.GetItemIDSubject(1), u"subject1");
  EXPECT_EQ(core.GetItemCountCategory(), 3);
  EXPECT_EQ(core.GetItemIDCategory(2), u"category2");
  EXPECT_EQ(core.GetLabelCategory(), u"Opening");
  EXPECT_EQ(core.GetItemCountComment(), 2);
  EXPECT_EQ(core.GetItemLabelComment(1), u"He is keen.");
  EXPECT_EQ(core.GetItemIDComment(1), u"comment1");
  EXPECT_EQ(core.GetItemLabelComment(2), std::nullopt) << "index equal to the count";
  EXPECT_EQ(core.GetItemLabelCategory(-1), std::nullopt);
}

TEST_F(LoggedInCore, GettersChangeNothing) {
  for (int i = 0; i < 2; ++i) {
    core.GetItemCountSubject();
    core.GetItemLabelComment(0);
    core.GetLabelCategory();
    core.GetPressedGirl();
  }
  EXPECT_TRUE(ribbon.invalidated.empty());
  EXPECT_TRUE(http.requests.empty());
}

TEST_F(LoggedInCore, ActionsInvalidateExactlyTheirControls) {
  for (void (AddinCore::*press)(WindowHandle) : {&AddinCore::PressGirl, &AddinCore::PressBoy, &AddinCore::PressThey}) {
    (core.*press)(kNoWindow);
    EXPECT_EQ(ribbon.Take(), (Ids{u"boy", u"girl", u"they", u"category", u"comment"}));
  }
  core.SelecteItemChangedCategory(1);
  EXPECT_EQ(ribbon.Take(), (Ids{u"category", u"comment"}));
  core.OnChangeName(u"Ann");
  EXPECT_EQ(ribbon.Take(), (Ids{u"category", u"comment"}));
  core.SelecteItemChangedSubject(0);
  EXPECT_EQ(ribbon.Take(), (Ids{u"category", u"comment"}));
}

// Each toggle, pressed once or twice, leaves exactly itself pressed and relabels the comments.
TEST_F(LoggedInCore, PronounTogglesAreRadioButtons) {
  struct Case {
    void (AddinCore::*press)(WindowHandle);
    bool boy, girl, they;
    const char16_t* label;
  };
  const Case cases[] = {{&AddinCore::PressGirl, false, true, false, u"She is keen."},
                        {&AddinCore::PressThey, false, false, true, u"They are keen."},
                        {&AddinCore::PressThey, false, false, true, u"They are keen."},
                        {&AddinCore::PressBoy, true, false, false, u"He is keen."},
                        {&AddinCore::PressBoy, true, false, false, u"He is keen."}};
  for (const Case& c : cases) {
    (core.*c.press)(kNoWindow);
    EXPECT_EQ(core.GetPressedBoy(), c.boy);
    EXPECT_EQ(core.GetPressedGirl(), c.girl);
    EXPECT_EQ(core.GetPressedThey(), c.they);
    EXPECT_EQ(core.GetItemLabelComment(1), c.label);
  }
}

// The supertip is the whole personalised comment, where the label is cut at 100 characters.
TEST_F(LoggedInCore, ItemSupertipIsTheWholeComment) {
  const std::u16string tail(120, u'x');
  http.replies[2].second =
      R"({"status":"OK","tabs":[{"name":"Long","comments":[{"comment":"^ tries. )" + std::string(120, 'x') + R"("}]}]})";
  core.PressThey();
  core.SelecteItemChangedSubject(1);
  EXPECT_EQ(core.GetItemSupertipComment(0), u"They try. " + tail);
  EXPECT_EQ(core.GetItemLabelComment(0)->size(), 103u);
  EXPECT_EQ(core.GetItemSupertipComment(1), std::nullopt);
  EXPECT_EQ(core.GetItemSupertipComment(-1), std::nullopt);
  core.OnChangeName(u"Kim");
  core.PressGirl();
  EXPECT_EQ(core.GetItemSupertipComment(0), u"She tries. " + tail);
}

TEST_F(LoggedInCore, ANewPupilStartsAgainAtTheFirstGroup) {
  core.SelecteItemChangedCategory(2);
  EXPECT_EQ(core.GetLabelCategory(), u"Closing");
  core.OnChangeName(u"tom");
  EXPECT_EQ(core.GetTextName(), u"tom");
  EXPECT_EQ(core.GetSelectedItemIndexCategory(), 0);
  EXPECT_EQ(core.GetItemLabelComment(0), u"Tom has settled well.");
  EXPECT_TRUE(http.requests.empty()) << "served from the cache";
}

TEST_F(LoggedInCore, ASubjectIsFetchedOnceThenServedFromTheCache) {
  core.SelecteItemChangedSubject(1);
  EXPECT_EQ(http.requests.size(), 1u);
  EXPECT_EQ(progress.runs, 2);
  EXPECT_EQ(core.GetLabelCategory(), u"Skills");
  EXPECT_EQ(core.GetItemLabelComment(0), u"He draws.");

  core.SelecteItemChangedSubject(0);
  core.SelecteItemChangedSubject(1);
  EXPECT_EQ(http.requests.size(), 1u);
  EXPECT_EQ(progress.runs, 2);
  EXPECT_EQ(core.GetSelectedItemIndexSubject(), 1);
}

TEST_F(LoggedInCore, ReselectingTheSubjectStartsAtItsFirstGroup) {
  core.SelecteItemChangedCategory(2);
  core.SelecteItemChangedSubject(0);
  EXPECT_EQ(core.GetSelectedItemIndexCategory(), 0);
  EXPECT_EQ(core.GetItemLabelComment(0), u"Pupil name has settled well.");
  EXPECT_TRUE(http.requests.empty());
}

TEST_F(LoggedInCore, SubjectWithoutGroupsIsFetchedEveryTime) {
  http.replies.insert(http.replies.begin(), {"subject=Art", R"({"status":"OK","tabs":[]})"});
  core.SelecteItemChangedSubject(1);
  core.SelecteItemChangedSubject(1);
  EXPECT_EQ(http.requests.size(), 2u);
  EXPECT_EQ(core.GetItemCountCategory(), 0);
  EXPECT_EQ(core.GetLabelCategory(), u"Select Category");
  EXPECT_EQ(core.GetItemLabelComment(0), u"Pupil name has settled well.") << "previous comments stay";
}

TEST_F(LoggedInCore, ARibbonFailureEndsTheActionButKeepsWhatWasDone) {
  ribbon.failAt = 1;
  EXPECT_THROW(core.PressGirl(), ComError);
  EXPECT_EQ(ribbon.invalidated, (Ids{u"boy"}));
  EXPECT_TRUE(core.GetPressedGirl());
}

}  // namespace
}  // namespace quillbox
