#pragma once
// The ports through which the add-in reaches the teacher's machine beyond Word and the ribbon:
// HTTP, the registry setting, the browser and the three dialogs. CConnect owns one set; the
// class factory hands it the Windows one, tests hand it fakes.

#include <memory>

#include "offline/offline_copy_store.h"
#include "service/browser_opener.h"
#include "service/http_transport.h"
#include "settings/settings_reader.h"
#include "ui/error_dialog.h"
#include "ui/login_prompt.h"
#include "ui/progress_runner.h"
#include "ui/question_dialog.h"

namespace quillbox::win {

class ShellPorts {
 public:
  virtual ~ShellPorts() = default;
  virtual HttpTransport& Http() = 0;
  virtual SettingsReader& Settings() = 0;
  virtual BrowserOpener& Browser() = 0;
  virtual LoginPrompt& Login() = 0;
  virtual ProgressRunner& Progress() = 0;
  virtual ErrorDialog& Errors() = 0;
  // The offline copy, its question and the Shift key; a set without them keeps no copy.
  virtual OfflineCopyStore* Offline() { return nullptr; }
  virtual QuestionDialog* Questions() { return nullptr; }
  virtual KeyboardState* Keyboard() { return nullptr; }
};

// WinHTTP, the registry, the shell and the Win32 dialogs.
std::unique_ptr<ShellPorts> MakeWindowsShellPorts();

}  // namespace quillbox::win
