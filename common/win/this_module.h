#pragma once

#include <windows.h>

namespace quillbox::win {

// The module (DLL or program) that this code was linked into: its resources and its file
// name. Found from an address inside it, so DllMain does not have to record it.
inline HMODULE ThisModule() noexcept {
  static const HMODULE module = [] {
    HMODULE found = nullptr;
    ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<LPCWSTR>(&ThisModule), &found);
    return found;
  }();
  return module;
}

}  // namespace quillbox::win
