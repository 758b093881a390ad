#pragma once

#include <string>

namespace quillbox {

// A modal question with Yes and No. True after Yes; false after No, Escape or a dialog that
// could not be shown.
class QuestionDialog {
 public:
  virtual ~QuestionDialog() = default;
  virtual bool AskYesNo(const std::u16string& question) = 0;
};

// Whether the teacher holds the Shift key down while a ribbon button runs.
class KeyboardState {
 public:
  virtual ~KeyboardState() = default;
  virtual bool ShiftHeld() = 0;
};

}  // namespace quillbox
