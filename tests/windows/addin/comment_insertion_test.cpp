// A comment click, from the ribbon through IDispatch to Word's selection: the personalised
// comment and a space replace the selection, the cursor ends after them, and the next comment
// group is selected.

#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/windows/addin/in_process_addin.h"
#include "word-standin/standin_addin_instance.h"

namespace quillbox::testing {
namespace {

using Lines = std::vector<std::wstring>;

class CommentInsertionTest : public InProcessAddinTest {
 protected:
  void SetUp() override {
    InProcessAddinTest::SetUp();
    LogIn();
    NewInvalidations();
  }
};

TEST_F(CommentInsertionTest, LoggedInRibbonShowsSubjectsGroupsAndComments) {
  const Lines expected = {
      L"tab scTab \"Quillbox\"",
      L"  group gr1 \"Account\"",
      L"    button visitWebsite \"Visit Website\"",
      L"    button logIn \"Log Out\"",
      L"  group gr2 \"Comments\"",
      L"    button editComments \"Edit Comments\"",
      L"    box bb1",
      L"      labelControl lab1 \"Name\"",
      L"      labelControl lab2 \"School Subject\"",
      L"      labelControl lab3 \"Gender\"",
      L"    labelControl lab33 \" \"",
      L"    box bb2",
      L"      editBox name \"Pupil's first name\" text=\"Pupil name\"",
      L"      dropDown subjects \"School subject\" items=2 selected=0",
      L"        [0] subject0 \"English\"",
      L"        [1] subject1 \"Maths\"",
      L"      box b1",
      L"        toggleButton boy \"  Boy  \" pressed",
      L"        toggleButton girl \"  Girl  \" not-pressed",
      L"        toggleButton they \"  They  \" not-pressed",
      L"    labelControl lab44 \" \"",
      L"    gallery category \"Opening\" items=3 selected=0",
      L"      [0] category0 \"Opening\"",
      L"      [1] category1 \"Effort\"",
      L"      [2] category2 \"Targets\"",
      L"    gallery comment \"Insert Comment\" items=2 selected=-1",
      L"      [0] comment0 \"He has settled well.\"",
      L"      [1] comment1 \"Pupil name is a delight to teach.\"",
  };
  EXPECT_EQ(expected, host_->View()->Describe());
  EXPECT_TRUE(transcript_.Lines().empty());
}

TEST_F(CommentInsertionTest, ClickReplacesTheSelectionAndLeavesTheCursorAfterTheComment) {
  ASSERT_EQ(S_OK, host_->Type(L"name", L"Anna"));
  ASSERT_EQ(S_OK, host_->Toggle(L"girl"));
  Document().ReplaceSelection(L"Report: XX end");
  Document().Select(8, 10);
  NewInvalidations();

  ASSERT_EQ(S_OK, host_->Choose(L"comment", 0));
  const std::wstring inserted = L"She has settled well. ";
  EXPECT_EQ(L"Report: " + inserted + L" end", Document().Text());
  EXPECT_EQ(8 + static_cast<long>(inserted.size()), Document().Start());
  EXPECT_EQ(Document().Start(), Document().End());
}

// Pressed through the ribbon by name: all three toggles are read again, only "they" shows
// pressed, the gallery offers the comments with their, they and them and verbs that agree, and
// a click writes that text.
TEST_F(CommentInsertionTest, APupilWhoUsesTheyIsWrittenAboutWithVerbsThatAgree) {
  ASSERT_EQ(S_OK, host_->Type(L"name", L"Sam"));
  NewInvalidations();
  ASSERT_EQ(S_OK, host_->Toggle(L"they"));
  EXPECT_EQ((Lines{L"boy", L"girl", L"they", L"category", L"comment"}), NewInvalidations());
  EXPECT_EQ(false, Control(L"boy").pressed);
  EXPECT_EQ(false, Control(L"girl").pressed);
  EXPECT_EQ(true, Control(L"they").pressed);
  ASSERT_TRUE(Control(L"comment").items);
  const standin::GalleryItem& first = (*Control(L"comment").items)[0];
  EXPECT_EQ(L"They have settled well.", first.label);
  EXPECT_EQ(L"They have settled well.", first.supertip.value_or(L"(none)"));

  ASSERT_EQ(S_OK, host_->Choose(L"comment", 0));
  ASSERT_EQ(S_OK, host_->Choose(L"comment", 0));
  ASSERT_EQ(S_OK, host_->Choose(L"comment", 0));
  EXPECT_EQ(L"They have settled well. Sam works hard in their lessons. Next year them reading should grow. ",
            Document().Text());

  ASSERT_EQ(S_OK, host_->Toggle(L"boy"));
  EXPECT_EQ(true, Control(L"boy").pressed);
  EXPECT_EQ(false, Control(L"they").pressed);
  EXPECT_EQ(L"Next year him reading should grow.", (*Control(L"comment").items)[0].label);
}

TEST_F(CommentInsertionTest, ClickMovesOnToTheNextGroup) {
  ASSERT_EQ(S_OK, host_->Choose(L"comment", 1));
  EXPECT_EQ((Lines{L"comment", L"category", L"comment"}), NewInvalidations());
  EXPECT_EQ(1, Control(L"category").selectedIndex);
  EXPECT_EQ(L"Effort", Control(L"category").label);
  ASSERT_TRUE(Control(L"comment").items);
  ASSERT_EQ(1u, Control(L"comment").items->size());
  EXPECT_EQ(L"Pupil name works hard in his lessons.", (*Control(L"comment").items)[0].label);

  // One click per group writes a report.
  ASSERT_EQ(S_OK, host_->Choose(L"comment", 0));
  ASSERT_EQ(S_OK, host_->Choose(L"comment", 0));
  EXPECT_EQ(L"Pupil name is a delight to teach. Pupil name works hard in his lessons. "
            L"Next year him reading should grow. ",
            Document().Text());
}

TEST_F(CommentInsertionTest, LastGroupStaysSelectedAndTheSameCommentCanBeWrittenAgain) {
  ASSERT_EQ(S_OK, host_->Choose(L"category", 2));
  NewInvalidations();
  ASSERT_EQ(S_OK, host_->Choose(L"comment", 0));
  ASSERT_EQ(S_OK, host_->Choose(L"comment", 0));
  EXPECT_EQ((Lines{L"comment", L"comment"}), NewInvalidations());
  EXPECT_EQ(2, Control(L"category").selectedIndex);
  const std::wstring once = L"Next year him reading should grow. ";
  EXPECT_EQ(once + once, Document().Text());
  EXPECT_EQ(static_cast<long>(2 * once.size()), Document().Start());
}

TEST_F(CommentInsertionTest, IndexBeyondTheGroupsCommentsWritesASpace) {
  // In the last group nothing advances, so the stored index stays visible.
  ASSERT_EQ(S_OK, host_->Choose(L"category", 2));
  ASSERT_EQ(S_OK, callbacks_->SelecteItemChangedComment(nullptr, nullptr, 7));
  EXPECT_EQ(L" ", Document().Text());
  EXPECT_EQ(7, Store().SelectedCommentIndex());
}

// Connected to something that is not Word, the add-in has no document to write into.
TEST_F(CommentInsertionTest, WithoutWordTheClickFailsWithPointerError) {
  ASSERT_EQ(S_OK, host_->Disconnect());
  win::ComPtr<_IDTExtensibility2> extensibility;
  ASSERT_EQ(S_OK, win::ComPtr<IAddInCallback>(callbacks_).As(IID__IDTExtensibility2, extensibility));
  const auto notWord = win::ComPtr<IDispatch>::Attach(new standin::StandinAddInInstance());
  ASSERT_EQ(S_OK, extensibility->OnConnection(notWord.Get(), ext_cm_Startup, nullptr, nullptr));

  EXPECT_EQ(E_POINTER, host_->Choose(L"comment", 1));
  EXPECT_EQ(L"", Document().Text());
  EXPECT_EQ(1, Store().SelectedCommentIndex());
  EXPECT_EQ(0, Store().SelectedCommentGroupIndex());
  EXPECT_TRUE(NewInvalidations().empty());
}

}  // namespace
}  // namespace quillbox::testing
