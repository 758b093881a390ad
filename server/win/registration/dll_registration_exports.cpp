// The library's installation entry points. DllInstall with the command line "user" switches
// per-user registration on for as long as the library stays loaded, so that a later
// DllRegisterServer or DllUnregisterServer in the same load works per user too.

#include <windows.h>

#include "common/win/com_boundary.h"
#include "common/win/this_module.h"
#include "server/dll_install.h"
#include "server/win/registration/module_registrar.h"

namespace {

quillbox::RegistrationScope g_scope = quillbox::RegistrationScope::kMachine;

}  // namespace

extern "C" HRESULT __stdcall DllRegisterServer() {
  return quillbox::win::ComBoundary(
      [] { return quillbox::win::ModuleRegistrar(quillbox::win::ThisModule()).Register(g_scope); });
}

extern "C" HRESULT __stdcall DllUnregisterServer() {
  return quillbox::win::ComBoundary(
      [] { return quillbox::win::ModuleRegistrar(quillbox::win::ThisModule()).Unregister(g_scope); });
}

extern "C" HRESULT __stdcall DllInstall(BOOL install, LPCWSTR commandLine) {
  return quillbox::win::ComBoundary([&] {
    quillbox::win::ModuleRegistrar registrar(quillbox::win::ThisModule());
    return quillbox::RunDllInstall(install != FALSE, reinterpret_cast<const char16_t*>(commandLine), g_scope,
                                   registrar);
  });
}
