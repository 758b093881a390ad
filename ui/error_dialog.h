#pragma once

#include <string>

#include "ui/window_handle.h"

namespace quillbox {

// The add-in's messages to the teacher, each modal to its owner window.
class ErrorDialog {
 public:
  virtual ~ErrorDialog() = default;
  // The "Error!" dialog: a message and, when link is not empty, the link under it.
  virtual void Show(const std::u16string& message, const std::u16string& link, WindowHandle owner = kNoWindow) = 0;
  // A plain message box with the caption "Quillbox" and an OK button.
  virtual void Tell(const std::u16string& message, WindowHandle owner) = 0;
};

}  // namespace quillbox
