#pragma once
// "Please log in...": asks for the account's e-mail address and password, with links to the
// website's forgotten-password page and to account creation.

#include <windows.h>

#include <string>

namespace quillbox::win {

struct LoginDialogResult {
  INT_PTR code = -1;       // IDOK after "Log in", the ending command otherwise, -1 on failure
  std::wstring email;      // as typed; only read after IDOK
  std::wstring password;   // as typed; only read after IDOK
};

// Shows the dialog modally with empty fields. baseUrl is the website's base URL, used only for
// the two links ("/index/forgot" appended for the forgotten-password page).
LoginDialogResult RunLoginDialog(HWND owner, const std::wstring& baseUrl);

}  // namespace quillbox::win
