// The stand-in's document is the oracle of the insertion tests, so its selection rules are
// checked on their own: Word's Text put replaces the selection and spans the new text, and
// Start and End puts keep start <= end inside the document.

#include <gtest/gtest.h>

#include "word-standin/standin_document.h"

namespace quillbox::standin {
namespace {

StandinDocument DocumentWith(const wchar_t* text, long start, long end) {
  StandinDocument document;
  document.ReplaceSelection(text);
  document.Select(start, end);
  return document;
}

TEST(StandinDocumentTest, TextPutReplacesTheSelectionAndSpansTheNewText) {
  struct Case {
    long start, end;
    const wchar_t* inserted;
    const wchar_t* text;
    long newEnd;
  };
  const Case cases[] = {
      {0, 0, L"New ", L"New one two", 4},  // insertion point at the start
      {4, 7, L"2", L"one 2", 5},           // a selected stretch at the end
      {3, 3, L"", L"one two", 3},          // nothing inserted
      {0, 7, L"all", L"all", 3},           // everything replaced
  };
  for (const Case& c : cases) {
    StandinDocument document = DocumentWith(L"one two", c.start, c.end);
    document.ReplaceSelection(c.inserted);
    EXPECT_EQ(c.text, document.Text());
    EXPECT_EQ(c.start, document.Start());
    EXPECT_EQ(c.newEnd, document.End());
    EXPECT_EQ(c.inserted, document.SelectedText());
  }
}

TEST(StandinDocumentTest, PositionsStayOrderedAndInsideTheDocument) {
  struct Case {
    long start, end;
    bool setStart;
    long position;
    long expectedStart, expectedEnd;
  };
  const Case cases[] = {
      {2, 5, true, 5, 5, 5},     // start set to the end collapses
      {2, 5, true, 6, 6, 6},     // start beyond the end moves the end along
      {2, 5, true, -3, 0, 5},    // clamped to the document
      {2, 5, false, 1, 1, 1},    // end before the start moves the start along
      {2, 5, false, 99, 2, 7},   // clamped to the document's length
  };
  for (const Case& c : cases) {
    StandinDocument document = DocumentWith(L"one two", c.start, c.end);
    if (c.setStart) {
      document.SetStart(c.position);
    } else {
      document.SetEnd(c.position);
    }
    EXPECT_EQ(c.expectedStart, document.Start()) << c.position;
    EXPECT_EQ(c.expectedEnd, document.End()) << c.position;
  }
}

TEST(StandinDocumentTest, SelectKeepsTheRangeInsideTheDocument) {
  StandinDocument document = DocumentWith(L"abc", 5, 1);
  EXPECT_EQ(3, document.Start());
  EXPECT_EQ(3, document.End());
}

}  // namespace
}  // namespace quillbox::standin
