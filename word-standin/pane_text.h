#pragma once
// The document's text as a multi-line edit control must hold it: the control breaks lines only
// at CR LF, while a script's new paragraph is a lone line feed.

#include <string>

namespace quillbox::standin {

struct PaneText {
  std::wstring text;
  long start = 0;
  long end = 0;
};

// Every line feed not already preceded by a carriage return gets one; the selection moves
// with the text it surrounds.
PaneText WithControlLineEnds(const std::wstring& text, long start, long end);

}  // namespace quillbox::standin
