#pragma once

#include <string>

namespace quillbox {

// The modal "Error!" dialog: a message and, when link is not empty, the link under it.
class ErrorDialog {
 public:
  virtual ~ErrorDialog() = default;
  virtual void Show(const std::u16string& message, const std::u16string& link) = 0;
};

}  // namespace quillbox
