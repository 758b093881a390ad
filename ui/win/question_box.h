#pragma once
// The core's Yes/No question as a Windows message box, and the Shift key as Windows sees it
// for the message being handled.

#include "ui/question_dialog.h"

namespace quillbox::win {

// The message box's caption; the teacher sees it, and tests find the box by it.
constexpr wchar_t kQuestionCaption[] = L"Quillbox";

class MessageBoxQuestion : public QuestionDialog {
 public:
  bool AskYesNo(const std::u16string& question) override;
};

class WindowsKeyboardState : public KeyboardState {
 public:
  bool ShiftHeld() override;
};

}  // namespace quillbox::win
