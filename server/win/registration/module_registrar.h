#pragma once
// Registration and unregistration of a loaded library file: its two script resources, run
// with its replacement variables against the Win32 registry, and its type library, all under
// the system default locale.

#include <windows.h>

#include "server/dll_install.h"

namespace quillbox::win {

class ModuleRegistrar : public ServerRegistrar {
 public:
  explicit ModuleRegistrar(HMODULE module) : module_(module) {}
  int32_t Register(RegistrationScope scope) override;
  int32_t Unregister(RegistrationScope scope) override;

 private:
  HMODULE module_;
};

}  // namespace quillbox::win
