// The document's text as the pane's edit control holds it.

#include <gtest/gtest.h>

#include "word-standin/pane_text.h"

namespace quillbox::standin {
namespace {

TEST(PaneTextTest, LoneLineFeedsGetACarriageReturnAndTheSelectionMovesWithTheText) {
  struct Case {
    const wchar_t* text;
    long start, end;
    const wchar_t* pane;
    long paneStart, paneEnd;
  };
  const Case cases[] = {
      {L"", 0, 0, L"", 0, 0},
      {L"Tom\n", 4, 4, L"Tom\r\n", 5, 5},
      {L"a\nb\nc", 2, 5, L"a\r\nb\r\nc", 3, 7},       // selection spans the second break
      {L"a\r\nb", 3, 4, L"a\r\nb", 3, 4},             // already a control line end
      {L"\n\nx", 1, 1, L"\r\n\r\nx", 2, 2},           // the cursor between two breaks
      {L"ab\n", 1, 2, L"ab\r\n", 1, 2},               // a break after the selection moves nothing
  };
  for (const Case& c : cases) {
    const PaneText pane = WithControlLineEnds(c.text, c.start, c.end);
    EXPECT_EQ(pane.text, c.pane);
    EXPECT_EQ(pane.start, c.paneStart) << "for start " << c.start;
    EXPECT_EQ(pane.end, c.paneEnd) << "for end " << c.end;
  }
}

}  // namespace
}  // namespace quillbox::standin
