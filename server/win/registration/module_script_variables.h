#pragma once
// The replacement variables for this library's registration scripts: the identities in
// registry form and the path of the loaded library file.

#include <windows.h>

#include <string>

#include "server/registrar_variables.h"

namespace quillbox::win {

// The full path of module as GetModuleFileNameW reports it. A path of MAX_PATH (260)
// characters or more does not fit and fails with HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER).
HRESULT ModuleFilePath(HMODULE module, std::wstring& path);

// The identifier in registry form, as StringFromGUID2 writes it.
std::u16string RegistryGuidText(REFGUID guid);

// The server's variables, with Module and Module_Raw taken from modulePath.
ReplacementVariables ModuleScriptVariables(const std::wstring& modulePath);

}  // namespace quillbox::win
