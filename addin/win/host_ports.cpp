// The one place where the add-in's Windows implementations of the shell ports are chosen.

#include "addin/win/host_ports.h"

#include "offline/sealed_copy_store.h"
#include "offline/win/cng_copy_cipher.h"
#include "offline/win/protected_copy_files.h"
#include "service/win/shell_browser_opener.h"
#include "service/win/winhttp_transport.h"
#include "settings/win/registry_settings_reader.h"
#include "ui/win/dialog_ports.h"
#include "ui/win/keyboard_state.h"

namespace quillbox::win {
namespace {

class WindowsShellPorts final : public ShellPorts {
 public:
  HttpTransport& Http() override { return http_; }
  SettingsReader& Settings() override { return settings_; }
  BrowserOpener& Browser() override { return browser_; }
  LoginPrompt& Login() override { return login_; }
  ProgressRunner& Progress() override { return progress_; }
  ErrorDialog& Errors() override { return errors_; }
  OfflineCopyStore* Offline() override { return &offline_; }
  QuestionDialog* Questions() override { return &questions_; }
  KeyboardState* Keyboard() override { return &keyboard_; }

 private:
  WinHttpTransport http_;
  RegistrySettingsReader settings_;
  ShellBrowserOpener browser_;
  DialogLoginPrompt login_;
  DialogProgressRunner progress_;
  DialogErrorDialog errors_;
  CngCopyCipher cipher_;
  ProtectedCopyFiles copyFiles_{cipher_};
  SealedCopyStore offline_{cipher_, copyFiles_};
  DialogQuestion questions_;
  WindowsKeyboardState keyboard_;
};

}  // namespace

std::unique_ptr<ShellPorts> MakeWindowsShellPorts() { return std::make_unique<WindowsShellPorts>(); }

}  // namespace quillbox::win
