#include "ui/win/question_box.h"

#include <windows.h>

#include "common/win/wide.h"

namespace quillbox::win {

// Owned by the active window, as the add-in's other dialogs are; Yes is the default button.
bool MessageBoxQuestion::AskYesNo(const std::u16string& question) {
  return ::MessageBoxW(::GetActiveWindow(), AsWide(question), kQuestionCaption,
                       MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON1) == IDYES;
}

// The key's state when the click that runs the callback was taken from the queue.
bool WindowsKeyboardState::ShiftHeld() { return ::GetKeyState(VK_SHIFT) < 0; }

}  // namespace quillbox::win
