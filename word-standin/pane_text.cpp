#include "word-standin/pane_text.h"

namespace quillbox::standin {

PaneText WithControlLineEnds(const std::wstring& text, long start, long end) {
  PaneText pane;
  pane.text.reserve(text.size());
  pane.start = start;
  pane.end = end;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'\n' && (i == 0 || text[i - 1] != L'\r')) {
      const long position = static_cast<long>(i);
      if (position < start) ++pane.start;
      if (position < end) ++pane.end;
      pane.text += L'\r';
    }
    pane.text += text[i];
  }
  return pane;
}

}  // namespace quillbox::standin
