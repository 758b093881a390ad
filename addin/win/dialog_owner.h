#pragma once
// The Word window that owns the dialogs of a ribbon action. Word has one top-level window per
// document, each with its own ribbon; a dialog disables only its owner, so it must be owned by
// the window whose ribbon the teacher used, not by whichever window happens to be active.

#include <windows.h>

#include <oaidl.h>

#include "ui/window_handle.h"

namespace quillbox::win {

// The Hwnd of the ribbon control's Context (the Word Window whose ribbon was used); where the
// callback has no control, or the control no context, the Hwnd of Word's
// Application.ActiveWindow; kNoWindow when neither answers, which leaves the dialog to the
// thread's active window. Never throws.
WindowHandle DialogOwnerFor(IDispatch* control, IDispatch* application) noexcept;

}  // namespace quillbox::win
