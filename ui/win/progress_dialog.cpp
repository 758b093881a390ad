#include "ui/win/progress_dialog.h"

#include <commctrl.h>

#include "ui/win/dialog_placement.h"
#include "ui/win/modal_dialog.h"
#include "ui/win/resource_ids.h"

namespace quillbox::win {
namespace {

constexpr UINT_PTR kWorkerTimer = 1000;
constexpr INT_PTR kEndedByItself = 2;

struct ProgressDialogData {
  HANDLE worker;  // null once the thread has been seen to end
  UINT firstTestMs;
};

void StartMarquee(HWND dialog) {
  HWND bar = ::GetDlgItem(dialog, IDC_PROGRESS_BAR);
  const LONG style = ::GetWindowLongW(bar, GWL_STYLE);
  if (!(style & PBS_MARQUEE)) ::SetWindowLongW(bar, GWL_STYLE, style | PBS_MARQUEE);
  ::SendMessageW(bar, PBM_SETMARQUEE, TRUE, 0);
}

// Never blocks: the modal loop keeps painting and animating while the worker waits on the
// network.
void TestWorker(HWND dialog, ProgressDialogData& data) {
  if (!data.worker) return;
  if (::WaitForSingleObject(data.worker, 0) == WAIT_OBJECT_0) {
    data.worker = nullptr;
    ::KillTimer(dialog, kWorkerTimer);
    ::EndDialog(dialog, kEndedByItself);
    return;
  }
  ::SetTimer(dialog, kWorkerTimer, kWorkerTestPeriodMs, nullptr);
}

INT_PTR HandleProgressMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM, ProgressDialogData& data) {
  switch (message) {
    case WM_INITDIALOG:
      CentreOverOwner(dialog);
      StartMarquee(dialog);
      ::SetTimer(dialog, kWorkerTimer, data.firstTestMs, nullptr);
      return TRUE;
    case WM_TIMER:
      TestWorker(dialog, data);
      return TRUE;
    case WM_CLOSE:
      return TRUE;  // Alt+F4 and the like: only the worker's end closes this dialog
    case WM_COMMAND:
      return LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL;  // Enter, Escape: ignored
  }
  return FALSE;
}

}  // namespace

INT_PTR RunProgressDialog(HWND owner, HANDLE worker, UINT firstTestMs) {
  ProgressDialogData data{worker, firstTestMs};
  return RunModalDialog(IDD_PROGRESS, owner, &DialogProcedure<ProgressDialogData, HandleProgressMessage>, &data);
}

}  // namespace quillbox::win
