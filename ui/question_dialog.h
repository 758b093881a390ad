#pragma once

#include <string>

#include "ui/window_handle.h"

namespace quillbox {

// A modal question with Yes and No, owned by the given window. True after Yes; false after
// No, Escape or a dialog that could not be shown.
class QuestionDialog {
 public:
  virtual ~QuestionDialog() = default;
  virtual bool AskYesNo(const std::u16string& question, WindowHandle owner) = 0;
};

// Whether the teacher holds the Shift key down while a ribbon button runs.
class KeyboardState {
 public:
  virtual ~KeyboardState() = default;
  virtual bool ShiftHeld() = 0;
};

}  // namespace quillbox
