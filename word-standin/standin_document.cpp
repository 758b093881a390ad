#include "word-standin/standin_document.h"

#include <algorithm>
#include <utility>

namespace quillbox::standin {

long StandinDocument::Clamp(long position) const noexcept {
  return std::clamp(position, 0L, static_cast<long>(text_.size()));
}

void StandinDocument::ReplaceSelection(std::wstring_view text) {
  text_.replace(start_, end_ - start_, text);
  end_ = start_ + static_cast<long>(text.size());
}

void StandinDocument::SetStart(long position) {
  start_ = Clamp(position);
  end_ = std::max(end_, start_);
}

void StandinDocument::SetEnd(long position) {
  end_ = Clamp(position);
  start_ = std::min(start_, end_);
}

void StandinDocument::Select(long start, long end) {
  start_ = Clamp(start);
  end_ = std::max(start_, Clamp(end));
}

void StandinDocument::Assign(std::wstring text, long start, long end) {
  text_ = std::move(text);
  Select(start, end);
}

}  // namespace quillbox::standin
