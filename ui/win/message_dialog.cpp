#include "ui/win/message_dialog.h"

#include "ui/win/dialog_placement.h"
#include "ui/win/hyperlink.h"
#include "ui/win/modal_dialog.h"
#include "ui/win/resource_ids.h"

namespace quillbox::win {
namespace {

struct MessageDialogData {
  std::wstring message;
  std::wstring link;
  CHyperLink linkControl;
};

void ShowLink(HWND dialog, MessageDialogData& data) {
  HWND control = ::GetDlgItem(dialog, IDC_MESSAGE_LINK);
  if (data.linkControl.Attach(control)) data.linkControl.Initialise();
  if (data.link.empty()) {
    ::ShowWindow(control, SW_HIDE);
    return;
  }
  data.linkControl.SetLabel(data.link);
  data.linkControl.SetUrl(data.link);
}

INT_PTR HandleMessageDialogMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM, MessageDialogData& data) {
  switch (message) {
    case WM_INITDIALOG: {
      CentreOverOwner(dialog);
      HICON icon = ::LoadIconW(nullptr, IDI_EXCLAMATION);
      ::SendDlgItemMessageW(dialog, IDC_MESSAGE_ICON, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
      ::SetDlgItemTextW(dialog, IDC_MESSAGE_TEXT, data.message.c_str());
      ShowLink(dialog, data);
      return TRUE;
    }
    case WM_COMMAND: {
      const WORD command = LOWORD(wParam);
      if (command >= IDOK && command <= IDNO) {
        ::EndDialog(dialog, command);
        return TRUE;
      }
      return FALSE;
    }
  }
  return FALSE;
}

}  // namespace

INT_PTR RunMessageDialog(HWND owner, const std::wstring& message, const std::wstring& link) {
  MessageDialogData data{message, link, {}};
  return RunModalDialog(IDD_MESSAGE, owner,
                        &DialogProcedure<MessageDialogData, HandleMessageDialogMessage>, &data);
}

}  // namespace quillbox::win
