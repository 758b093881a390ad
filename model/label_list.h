#pragma once
// The gallery labels of a list, kept back to back in one buffer. Relabelling a long list then
// writes one run of memory into storage it reuses, instead of one heap block per label, and
// the cost per label stays the same however long the list grows.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quillbox {

class LabelList {
 public:
  // Empties the list and keeps its storage for the next labels.
  void Clear() {
    text_.clear();
    ends_.clear();
  }
  void Append(std::u16string_view label) {
    text_.append(label);
    ends_.push_back(text_.size());
  }
  size_t Size() const { return ends_.size(); }
  // The label at index, which must be below Size().
  std::u16string_view At(size_t index) const {
    const size_t begin = index == 0 ? 0 : ends_[index - 1];
    return std::u16string_view(text_).substr(begin, ends_[index] - begin);
  }

 private:
  std::u16string text_;
  std::vector<size_t> ends_;  // where each label ends in text_
};

}  // namespace quillbox
