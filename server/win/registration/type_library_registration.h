#pragma once
// Registers and unregisters the type library of the library file: loaded from the file itself
// (resource TYPELIB 1) or, failing that, from the ".tlb" file beside it. Per user when OLEAUT32
// offers RegisterTypeLibForUser / UnRegisterTypeLibForUser, otherwise machine-wide.

#include <windows.h>

#include <string>

#include "server/registrar_executor.h"

namespace quillbox::win {

HRESULT RegisterModuleTypeLibrary(const std::wstring& modulePath, RegistrationScope scope);
HRESULT UnregisterModuleTypeLibrary(const std::wstring& modulePath, RegistrationScope scope);

}  // namespace quillbox::win
