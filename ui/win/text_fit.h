#pragma once
// Measuring a control's text in the control's own font, at the DPI the dialog was laid out at.

#include <windows.h>

#include <initializer_list>
#include <string>

namespace quillbox::win {

// How many pixels taller than its client area control must be to show text drawn with flags
// (DrawText flags; DT_WORDBREAK wraps at the client width), measured with DT_CALCRECT. 0 when
// it fits.
int MissingHeight(HWND control, const std::wstring& text, UINT flags) noexcept;

// Makes control taller by pixels and moves each control of below down by as much, and the
// dialog's bottom edge with them.
void GrowDialogAt(HWND dialog, HWND control, std::initializer_list<HWND> below, int pixels) noexcept;

}  // namespace quillbox::win
