#pragma once
// Registration scripts are resources of type "REGISTRY" in the library file: single-byte
// text in the system's ANSI code page.

#include <windows.h>

#include <string>

namespace quillbox::win {

HRESULT LoadRegistryScript(HMODULE module, int resourceId, std::u16string& text);

}  // namespace quillbox::win
