#include "ui/win/dialog_ports.h"

#include <windows.h>

#include "common/win/unique_handle.h"
#include "common/win/wide.h"
#include "ui/win/login_dialog.h"
#include "ui/win/message_dialog.h"
#include "ui/win/progress_dialog.h"
#include "ui/win/worker_thread.h"

namespace quillbox::win {
namespace {

constexpr wchar_t kMessageCaption[] = L"Quillbox";

HWND OwnerWindow(WindowHandle owner) {
  const HWND window = reinterpret_cast<HWND>(owner);
  return window && ::IsWindow(window) ? window : ::GetActiveWindow();
}

}  // namespace

std::optional<LoginCredentials> DialogLoginPrompt::Prompt(const std::u16string& baseUrl, WindowHandle owner) {
  LoginDialogResult result = RunLoginDialog(OwnerWindow(owner), ToWide(baseUrl));
  if (result.code != IDOK) return std::nullopt;  // Cancel, Escape, or no dialog at all
  return LoginCredentials{FromWide(result.email), FromWide(result.password)};
}

bool DialogProgressRunner::Run(const std::function<void()>& work, WindowHandle owner, ProgressShown shown) {
  UniqueKernelHandle worker = StartWorkerThread(work);
  if (!worker) return false;
  if (shown == ProgressShown::kAtOnce) {
    RunProgressDialog(OwnerWindow(owner), worker.Get(), kFirstWorkerTestMs);
  } else if (!WaitWhileHandlingMessages(worker.Get(), kFirstWorkerTestMs)) {
    // A second has passed: the dialog comes up and looks at the worker from then on.
    RunProgressDialog(OwnerWindow(owner), worker.Get(), kWorkerTestPeriodMs);
  }
  // The dialog normally ends only once the worker has, so this returns at once. When the
  // dialog could not be created (or was ended some other way) the worker still runs and may
  // be writing what the caller reads next: wait for it.
  ::WaitForSingleObject(worker.Get(), INFINITE);
  return true;
}

void DialogErrorDialog::Show(const std::u16string& message, const std::u16string& link, WindowHandle owner) {
  RunMessageDialog(OwnerWindow(owner), ToWide(message), ToWide(link));
}

void DialogErrorDialog::Tell(const std::u16string& message, WindowHandle owner) {
  ::MessageBoxW(OwnerWindow(owner), ToWide(message).c_str(), kMessageCaption, MB_OK | MB_ICONWARNING);
}

bool DialogQuestion::AskYesNo(const std::u16string& question, WindowHandle owner) {
  return ::MessageBoxW(OwnerWindow(owner), ToWide(question).c_str(), kMessageCaption,
                       MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON1) == IDYES;
}

}  // namespace quillbox::win
