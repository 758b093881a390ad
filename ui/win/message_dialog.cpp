#include "ui/win/message_dialog.h"

#include "ui/win/dialog_placement.h"
#include "ui/win/hyperlink.h"
#include "ui/win/modal_dialog.h"
#include "ui/win/resource_ids.h"
#include "ui/win/text_fit.h"

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

// The drawing flags of a static with SS_LEFT | SS_NOPREFIX, as the message is drawn.
constexpr UINT kMessageFlags = DT_LEFT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX;

// Grows the message, then the link, to the height their text needs at this font and DPI, the
// controls below and the dialog moving down with them: every message is shown whole.
void FitText(HWND dialog, const MessageDialogData& data) {
  HWND text = ::GetDlgItem(dialog, IDC_MESSAGE_TEXT);
  HWND link = ::GetDlgItem(dialog, IDC_MESSAGE_LINK);
  HWND ok = ::GetDlgItem(dialog, IDOK);
  GrowDialogAt(dialog, text, {link, ok}, MissingHeight(text, data.message, kMessageFlags));
  if (!data.link.empty()) GrowDialogAt(dialog, link, {ok}, MissingHeight(link, data.link, CHyperLink::kDrawFlags));
}

INT_PTR HandleMessageDialogMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM, MessageDialogData& data) {
  switch (message) {
    case WM_INITDIALOG: {
      HICON icon = ::LoadIconW(nullptr, IDI_EXCLAMATION);
      ::SendDlgItemMessageW(dialog, IDC_MESSAGE_ICON, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
      ::SetDlgItemTextW(dialog, IDC_MESSAGE_TEXT, data.message.c_str());
      ShowLink(dialog, data);
      FitText(dialog, data);
      CentreOverOwner(dialog);
      // The link comes before OK in the tab order (it is above it), but Enter still means OK.
      ::SetFocus(::GetDlgItem(dialog, IDOK));
      return FALSE;
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
