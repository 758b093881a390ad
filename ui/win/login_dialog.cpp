#include "ui/win/login_dialog.h"

#include "ui/win/dialog_placement.h"
#include "ui/win/hyperlink.h"
#include "ui/win/modal_dialog.h"
#include "ui/win/resource_ids.h"

namespace quillbox::win {
namespace {

struct LoginDialogData {
  std::wstring baseUrl;
  LoginDialogResult result;
  CHyperLink forgotPassword;
  CHyperLink createAccount;
};

std::wstring ItemText(HWND dialog, int id) {
  HWND item = ::GetDlgItem(dialog, id);
  std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(item)) + 1, L'\0');
  text.resize(static_cast<size_t>(::GetWindowTextW(item, text.data(), static_cast<int>(text.size()))));
  return text;
}

void AttachLink(CHyperLink& link, HWND dialog, int id, const std::wstring& url) {
  if (!link.Attach(::GetDlgItem(dialog, id))) return;
  link.Initialise();
  link.SetUrl(url);
}

INT_PTR HandleLoginMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM, LoginDialogData& data) {
  switch (message) {
    case WM_INITDIALOG:
      CentreOverOwner(dialog);
      AttachLink(data.forgotPassword, dialog, IDC_LOGIN_FORGOT_LINK, data.baseUrl + L"/index/forgot");
      AttachLink(data.createAccount, dialog, IDC_LOGIN_CREATE_LINK, data.baseUrl);
      return TRUE;
    case WM_COMMAND: {
      const WORD command = LOWORD(wParam);
      if (command == IDOK) {
        data.result.email = ItemText(dialog, IDC_LOGIN_EMAIL);
        data.result.password = ItemText(dialog, IDC_LOGIN_PASSWORD);
        ::EndDialog(dialog, IDOK);
        return TRUE;
      }
      if (command >= IDCANCEL && command <= IDNO) {
        ::EndDialog(dialog, command);
        return TRUE;
      }
      return FALSE;
    }
  }
  return FALSE;
}

}  // namespace

LoginDialogResult RunLoginDialog(HWND owner, const std::wstring& baseUrl) {
  LoginDialogData data;
  data.baseUrl = baseUrl;
  const INT_PTR code = RunModalDialog(IDD_LOGIN, owner,
                                      &DialogProcedure<LoginDialogData, HandleLoginMessage>, &data);
  if (code != IDOK) return LoginDialogResult{code, {}, {}};
  data.result.code = IDOK;
  return std::move(data.result);
}

}  // namespace quillbox::win
