#pragma once
// Owning type for WinHTTP session, connection and request handles.

#include <windows.h>
#include <winhttp.h>

#include "common/win/unique_handle.h"

namespace quillbox::win {

struct WinHttpHandleTraits {
  using Handle = HINTERNET;
  static HINTERNET Invalid() noexcept { return nullptr; }
  static void Close(HINTERNET handle) noexcept { ::WinHttpCloseHandle(handle); }
};
using UniqueWinHttpHandle = UniqueHandle<WinHttpHandleTraits>;

}  // namespace quillbox::win
