// The one place where the add-in's Windows implementations of the shell ports are chosen.

#include "addin/win/host_ports.h"

#include "service/win/shell_browser_opener.h"
#include "service/win/winhttp_transport.h"
#include "settings/win/registry_settings_reader.h"
#include "ui/win/dialog_ports.h"

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

 private:
  WinHttpTransport http_;
  RegistrySettingsReader settings_;
  ShellBrowserOpener browser_;
  DialogLoginPrompt login_;
  DialogProgressRunner progress_;
  DialogErrorDialog errors_;
};

}  // namespace

std::unique_ptr<ShellPorts> MakeWindowsShellPorts() { return std::make_unique<WindowsShellPorts>(); }

}  // namespace quillbox::win
