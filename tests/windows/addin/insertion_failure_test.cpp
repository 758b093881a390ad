// Word or the ribbon refusing a step of a comment click: the click returns that step's failure
// (nothing is thrown out of the add-in), the later steps do not run, and what was done before
// stays done.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/windows/addin/in_process_addin.h"

namespace quillbox::testing {
namespace {

using standin::HostStep;

struct RefusedStep {
  const char* name;
  std::optional<HostStep> step;  // nothing: Application.Selection answers null
  HRESULT failure;
  bool textWritten;
  bool cursorAfterText;  // else the selection spans what was written (or is unchanged)
};

// Word's own codes for a locked document and a missing one, and the ribbon's for a lost UI.
const RefusedStep kRefusedSteps[] = {
    {"Application.Selection", HostStep::kApplicationSelection, static_cast<HRESULT>(0x800A1066), false, false},
    {"null selection", std::nullopt, E_POINTER, false, false},
    {"Selection.Text", HostStep::kSelectionText, static_cast<HRESULT>(0x800A17EC), false, false},
    {"Selection.End", HostStep::kSelectionEnd, static_cast<HRESULT>(0x800A11FD), true, false},
    {"Selection.Start", HostStep::kSelectionStart, static_cast<HRESULT>(0x800A11FD), true, false},
    {"IRibbonUI::InvalidateControl", HostStep::kRibbonInvalidate, E_UNEXPECTED, true, true},
};

class InsertionFailureTest : public InProcessAddinTest, public ::testing::WithParamInterface<RefusedStep> {
 protected:
  void SetUp() override {
    InProcessAddinTest::SetUp();
    LogIn();
    Document().ReplaceSelection(L"Dear parents, ");
    Document().Select(14, 14);
    NewInvalidations();
  }
};

TEST_P(InsertionFailureTest, ClickEndsWithTheRefusalAndKeepsWhatWasDone) {
  const RefusedStep& refused = GetParam();
  standin::FailurePlan& plan = host_->State().failures;
  plan.failingStep = refused.step;
  plan.failure = refused.failure;
  plan.nullSelection = !refused.step;

  EXPECT_EQ(refused.failure, host_->Choose(L"comment", 1));

  plan = standin::FailurePlan{};
  const std::wstring written = L"Pupil name is a delight to teach. ";
  EXPECT_EQ(L"Dear parents, " + (refused.textWritten ? written : L""), Document().Text());
  const long end = 14 + (refused.textWritten ? static_cast<long>(written.size()) : 0);
  EXPECT_EQ(end, Document().End());
  EXPECT_EQ(refused.cursorAfterText ? end : 14, Document().Start());
  // The clicked index is stored first; "comment" is invalidated only after the text is in
  // place, and the group does not move on.
  EXPECT_EQ(1, Store().SelectedCommentIndex());
  EXPECT_EQ(0, Store().SelectedCommentGroupIndex());
  EXPECT_TRUE(NewInvalidations().empty());
}

INSTANTIATE_TEST_SUITE_P(EachStep, InsertionFailureTest, ::testing::ValuesIn(kRefusedSteps),
                         [](const ::testing::TestParamInfo<RefusedStep>& info) {
                           std::string name;
                           for (const char* c = info.param.name; *c; ++c) {
                             if (std::isalnum(static_cast<unsigned char>(*c))) name += *c;
                           }
                           return name;
                         });

// After a refused click the add-in works on: the next click writes and advances.
TEST_F(InProcessAddinTest, ClickAfterARefusalWritesNormally) {
  LogIn();
  host_->State().failures.failingStep = HostStep::kSelectionText;
  ASSERT_NE(S_OK, host_->Choose(L"comment", 0));
  host_->State().failures = standin::FailurePlan{};
  ASSERT_EQ(S_OK, host_->Choose(L"comment", 0));
  EXPECT_EQ(L"He has settled well. ", Document().Text());
  EXPECT_EQ(1, Store().SelectedCommentGroupIndex());
}

}  // namespace
}  // namespace quillbox::testing
