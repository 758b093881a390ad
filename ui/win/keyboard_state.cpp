#include "ui/win/keyboard_state.h"

#include <windows.h>

namespace quillbox::win {

// The key's state when the click that runs the callback was taken from the queue.
bool WindowsKeyboardState::ShiftHeld() { return ::GetKeyState(VK_SHIFT) < 0; }

}  // namespace quillbox::win
