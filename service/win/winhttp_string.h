#pragma once
// Owning type for the strings WinHTTP hands back in its proxy structures, which the caller
// frees with GlobalFree.

#include <windows.h>

#include <string>

#include "common/text_utf.h"
#include "common/win/unique_handle.h"
#include "common/win/wide.h"

namespace quillbox::win {

struct WinHttpStringTraits {
  using Handle = LPWSTR;
  static LPWSTR Invalid() noexcept { return nullptr; }
  static void Close(LPWSTR text) noexcept { ::GlobalFree(text); }
};
using UniqueWinHttpString = UniqueHandle<WinHttpStringTraits>;

// The string as UTF-8; empty when there is none.
inline std::string Utf8Of(const UniqueWinHttpString& text) {
  return text ? Utf16ToUtf8(FromWide(std::wstring_view(text.Get()))) : std::string();
}

}  // namespace quillbox::win
