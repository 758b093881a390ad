#pragma once
// The Shift key as Windows sees it for the message being handled.

#include "ui/question_dialog.h"

namespace quillbox::win {

class WindowsKeyboardState : public KeyboardState {
 public:
  bool ShiftHeld() override;
};

}  // namespace quillbox::win
