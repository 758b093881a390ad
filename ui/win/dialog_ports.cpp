#include "ui/win/dialog_ports.h"

#include <windows.h>

#include "common/win/unique_handle.h"
#include "common/win/wide.h"
#include "ui/win/login_dialog.h"
#include "ui/win/message_dialog.h"
#include "ui/win/progress_dialog.h"
#include "ui/win/worker_thread.h"

namespace quillbox::win {

std::optional<LoginCredentials> DialogLoginPrompt::Prompt(const std::u16string& baseUrl) {
  LoginDialogResult result = RunLoginDialog(::GetActiveWindow(), ToWide(baseUrl));
  if (result.code != IDOK) return std::nullopt;  // Cancel, Escape, or no dialog at all
  return LoginCredentials{FromWide(result.email), FromWide(result.password)};
}

bool DialogProgressRunner::Run(const std::function<void()>& work) {
  UniqueKernelHandle worker = StartWorkerThread(work);
  if (!worker) return false;
  RunProgressDialog(::GetActiveWindow(), worker.Get());
  // The dialog normally ends only once the worker has, so this returns at once. When the
  // dialog could not be created (or was ended some other way) the worker still runs and may
  // be writing what the caller reads next: wait for it.
  ::WaitForSingleObject(worker.Get(), INFINITE);
  return true;
}

void DialogErrorDialog::Show(const std::u16string& message, const std::u16string& link) {
  RunMessageDialog(::GetActiveWindow(), ToWide(message), ToWide(link));
}

}  // namespace quillbox::win
