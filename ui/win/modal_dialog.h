#pragma once
// The shape every dialog of the add-in shares: one data struct per dialog, handed over as the
// LPARAM of DialogBoxParamW and kept in GWLP_USERDATA from WM_INITDIALOG on, and a handler
// that runs behind the exception boundary.

#include <windows.h>

#include "common/win/com_boundary.h"

namespace quillbox::win {

// Shows dialog resource resourceId of this module modally, inside the add-in's activation
// context. Returns the value given to EndDialog, or -1 when the dialog could not be created.
INT_PTR RunModalDialog(WORD resourceId, HWND owner, DLGPROC procedure, void* data) noexcept;

// A dialog procedure that finds the dialog's Data and passes each message to Handle. Messages
// that arrive before WM_INITDIALOG, and messages whose handler throws, count as not handled.
template <typename Data, INT_PTR (*Handle)(HWND, UINT, WPARAM, LPARAM, Data&)>
INT_PTR CALLBACK DialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  if (message == WM_INITDIALOG) ::SetWindowLongPtrW(dialog, GWLP_USERDATA, lParam);
  auto* data = reinterpret_cast<Data*>(::GetWindowLongPtrW(dialog, GWLP_USERDATA));
  if (!data) return FALSE;
  if (message == WM_NCDESTROY) {
    // The data belongs to the caller of RunModalDialog; nothing may reach it after this.
    ::SetWindowLongPtrW(dialog, GWLP_USERDATA, 0);
  }
  INT_PTR result = FALSE;
  const HRESULT outcome = ComBoundary([&] { result = Handle(dialog, message, wParam, lParam, *data); });
  return SUCCEEDED(outcome) ? result : FALSE;
}

}  // namespace quillbox::win
