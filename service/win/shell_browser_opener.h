#pragma once
// Hands an address to the default browser through the Windows shell.

#include <string>

#include "service/browser_opener.h"

namespace quillbox::win {

class ShellBrowserOpener : public BrowserOpener {
 public:
  // ShellExecuteW with the verb "open" and SW_SHOW; the shell's result is not examined.
  void Open(const std::u16string& address) override;
};

}  // namespace quillbox::win
