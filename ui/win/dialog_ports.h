#pragma once
// The Win32 dialogs behind the core's login prompt, progress runner and error dialog. Each
// dialog is owned by the window the core names; without one (or when that window is gone),
// by the calling thread's active window at the moment it is shown.

#include "ui/error_dialog.h"
#include "ui/login_prompt.h"
#include "ui/progress_runner.h"
#include "ui/question_dialog.h"

namespace quillbox::win {

class DialogLoginPrompt : public LoginPrompt {
 public:
  std::optional<LoginCredentials> Prompt(const std::u16string& baseUrl, WindowHandle owner = kNoWindow) override;
};

class DialogProgressRunner : public ProgressRunner {
 public:
  bool Run(const std::function<void()>& work, WindowHandle owner = kNoWindow,
           ProgressShown shown = ProgressShown::kAtOnce) override;
};

// A "Quillbox" message box with Yes (the default) and No.
class DialogQuestion : public QuestionDialog {
 public:
  bool AskYesNo(const std::u16string& question, WindowHandle owner) override;
};

class DialogErrorDialog : public ErrorDialog {
 public:
  void Show(const std::u16string& message, const std::u16string& link, WindowHandle owner = kNoWindow) override;
  void Tell(const std::u16string& message, WindowHandle owner) override;
};

}  // namespace quillbox::win
