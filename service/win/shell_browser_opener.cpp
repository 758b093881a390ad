#include "service/win/shell_browser_opener.h"

#include <windows.h>
#include <shellapi.h>

#include "common/win/wide.h"

namespace quillbox::win {

void ShellBrowserOpener::Open(const std::u16string& address) {
  ::ShellExecuteW(nullptr, L"open", AsWide(address), nullptr, nullptr, SW_SHOW);
}

}  // namespace quillbox::win
