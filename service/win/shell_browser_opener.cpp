#include "service/win/shell_browser_opener.h"

#include <windows.h>
#include <shellapi.h>

#include "common/win/wide.h"
#include "service/browser_failure.h"

namespace quillbox::win {

namespace {
// ShellExecuteW returns a value above 32 when it started something, an error code otherwise.
constexpr INT_PTR kShellExecuteFailedAtMost = 32;
}  // namespace

void ShellBrowserOpener::Open(const std::u16string& address) {
  const auto result =
      reinterpret_cast<INT_PTR>(::ShellExecuteW(nullptr, L"open", AsWide(address), nullptr, nullptr, SW_SHOW));
  if (result <= kShellExecuteFailedAtMost) errors_.Show(BrowserFailureMessage(address), u"");
}

}  // namespace quillbox::win
