#pragma once
// Hands an address to the default browser through the Windows shell.

#include <string>

#include "service/browser_opener.h"
#include "ui/error_dialog.h"
#include "ui/win/dialog_ports.h"

namespace quillbox::win {

class ShellBrowserOpener : public BrowserOpener {
 public:
  // Failures are shown in the add-in's error dialog.
  ShellBrowserOpener() : errors_(ownErrors_) {}
  // Failures are shown in errors, which must outlive the opener.
  explicit ShellBrowserOpener(ErrorDialog& errors) : errors_(errors) {}

  // ShellExecuteW with the verb "open" and SW_SHOW. When the shell cannot start a browser (no
  // browser set up for the address, a rule that stops Office from starting programs), the
  // error dialog says so and shows the page's plain address, never the one with the login key.
  void Open(const std::u16string& address) override;

 private:
  DialogErrorDialog ownErrors_;
  ErrorDialog& errors_;
};

}  // namespace quillbox::win
