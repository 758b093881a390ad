#include "addin/addin_fixture.h"

namespace quillbox {
namespace {

using testing::FakeDocument;
using testing::Ids;
using testing::LoggedInCore;

using CommentInsertion = LoggedInCore;

TEST_F(CommentInsertion, WritesThePersonalisedCommentAndAdvances) {
  core.OnChangeName(u"Eve");
  core.PressGirl();
  ribbon.Take();
  document.text = u"Report: ";
  document.start = document.end = 8;

  core.SelecteItemChangedComment(1);
  EXPECT_EQ(document.text, u"Report: She is keen. ");
  EXPECT_EQ(document.start, 21);
  EXPECT_EQ(document.end, 21);
  EXPECT_EQ(ribbon.Take(), (Ids{u"comment", u"category", u"comment"}));
  EXPECT_EQ(core.GetSelectedItemIndexCategory(), 1);
  EXPECT_EQ(core.GetItemLabelComment(0), u"Her effort is good.");
  EXPECT_EQ(core.Store().SelectedCommentIndex(), 0) << "the rebuild for the next group resets it";
}

TEST_F(CommentInsertion, ReplacesASelectedStretch) {
  document.text = u"Dear XXX, well done";
  document.start = 5;
  document.end = 8;
  core.SelecteItemChangedComment(0);
  EXPECT_EQ(document.text, u"Dear Pupil name has settled well. , well done");
  EXPECT_EQ(document.start, document.end);
  EXPECT_EQ(document.end, 34);
}

TEST_F(CommentInsertion, EachInsertionStartsFromTheStoredComment) {
  core.OnChangeName(u"Eve");
  core.PressGirl();
  core.SelecteItemChangedCategory(0);
  core.SelecteItemChangedComment(0);
  core.OnChangeName(u"Tom");
  core.PressBoy();
  core.SelecteItemChangedCategory(0);
  core.SelecteItemChangedComment(1);
  core.SelecteItemChangedCategory(0);
  core.SelecteItemChangedComment(0);
  EXPECT_EQ(document.text, u"Eve has settled well. He is keen. Tom has settled well. ");
}

TEST_F(CommentInsertion, StopsAtTheLastGroupWithoutWrapping) {
  core.SelecteItemChangedCategory(2);
  ribbon.Take();
  core.SelecteItemChangedComment(0);
  core.SelecteItemChangedComment(0);
  EXPECT_EQ(document.text, u"Well done, Pupil name. Well done, Pupil name. ");
  EXPECT_EQ(core.GetSelectedItemIndexCategory(), 2);
  EXPECT_EQ(ribbon.Take(), (Ids{u"comment", u"comment"}));
  EXPECT_EQ(core.Store().SelectedCommentIndex(), 0);
}

TEST_F(CommentInsertion, AnIndexBeyondTheCommentsWritesASpace) {
  core.SelecteItemChangedComment(9);
  EXPECT_EQ(document.text, u" ");
  EXPECT_EQ(core.GetSelectedItemIndexCategory(), 1);
}

TEST_F(CommentInsertion, WithoutGroupsNothingIsWrittenButCommentIsInvalidated) {
  http.replies.insert(http.replies.begin(), {"subject=Art", R"({"status":"OK","tabs":[]})"});
  core.SelecteItemChangedSubject(1);
  ribbon.Take();
  core.SelecteItemChangedComment(0);
  EXPECT_EQ(document.text, u"");
  EXPECT_EQ(ribbon.Take(), (Ids{u"comment"}));
  EXPECT_EQ(core.Store().SelectedCommentIndex(), 0);
}

TEST_F(CommentInsertion, WordFailuresEndTheOperationAtThatStep) {
  const struct {
    FakeDocument::Step step;
    std::u16string written;
  } cases[] = {
      // Index 3 is beyond the group's two comments, so what gets written is one space.
      {FakeDocument::Step::kText, u""},
      {FakeDocument::Step::kEnd, u" "},
      {FakeDocument::Step::kStart, u" "},
  };
  for (const auto& c : cases) {
    document.text.clear();
    document.start = document.end = 0;
    document.failAt = c.step;
    core.SelecteItemChangedCategory(0);
    ribbon.Take();
    try {
      core.SelecteItemChangedComment(3);
      ADD_FAILURE() << "no error";
    } catch (const ComError& error) {
      EXPECT_EQ(error.Result(), document.failure);
      EXPECT_EQ(error.Interface(), kIidWordSelection);
    }
    EXPECT_EQ(document.text, c.written);
    EXPECT_EQ(core.Store().SelectedCommentIndex(), 3) << "stored before anything else";
    EXPECT_TRUE(ribbon.Take().empty());
    EXPECT_EQ(core.GetSelectedItemIndexCategory(), 0);
  }
  document.failAt = FakeDocument::Step::kEnd;
  EXPECT_THROW(core.SelecteItemChangedComment(0), ComError);
  EXPECT_EQ(document.text, u"Pupil name has settled well. ");
  EXPECT_EQ(document.start, 0) << "the selection spans the new text";
  EXPECT_EQ(document.end, 29);
}

TEST_F(CommentInsertion, AFailingAdvanceIsNotPassedOn) {
  ribbon.failAt = 1;  // "comment" passes, the advance's "category" fails
  core.SelecteItemChangedComment(0);
  EXPECT_EQ(core.GetSelectedItemIndexCategory(), 1);
  EXPECT_EQ(ribbon.invalidated, (Ids{u"comment"}));
}

}  // namespace
}  // namespace quillbox
