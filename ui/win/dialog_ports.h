#pragma once
// The Win32 dialogs behind the core's login prompt, progress runner and error dialog. Each
// dialog is owned by the calling thread's active window at the moment it is shown.

#include "ui/error_dialog.h"
#include "ui/login_prompt.h"
#include "ui/progress_runner.h"

namespace quillbox::win {

class DialogLoginPrompt : public LoginPrompt {
 public:
  std::optional<LoginCredentials> Prompt(const std::u16string& baseUrl) override;
};

class DialogProgressRunner : public ProgressRunner {
 public:
  bool Run(const std::function<void()>& work) override;
};

class DialogErrorDialog : public ErrorDialog {
 public:
  void Show(const std::u16string& message, const std::u16string& link) override;
};

}  // namespace quillbox::win
