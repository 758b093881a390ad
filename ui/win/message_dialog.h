#pragma once
// "Error!": one message with the exclamation icon and, when there is one, a URL as a link.

#include <windows.h>

#include <string>

namespace quillbox::win {

// Shows the dialog modally. An empty link hides the link control. Returns the ending command
// (IDOK, IDCANCEL), or -1 when the dialog could not be created.
INT_PTR RunMessageDialog(HWND owner, const std::wstring& message, const std::wstring& link);

}  // namespace quillbox::win
