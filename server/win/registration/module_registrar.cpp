#include "server/win/registration/module_registrar.h"

#include <string>

#include "common/win/unique_handle.h"
#include "quillbox_addin.h"
#include "server/server_registration.h"
#include "server/shared_keys_kept.h"
#include "server/win/registration/module_script_variables.h"
#include "server/win/registration/registry_script_resource.h"
#include "server/win/registration/thread_locale_guard.h"
#include "server/win/registration/type_library_registration.h"
#include "server/win/registration/win32_registry_writer.h"

namespace quillbox::win {
namespace {

class ModulePlatform : public RegistrationPlatform {
 public:
  ModulePlatform(HMODULE module, std::wstring path) : module_(module), path_(std::move(path)) {}

  int32_t LoadScript(int resourceId, std::u16string& text) override {
    return LoadRegistryScript(module_, resourceId, text);
  }
  int32_t RegisterTypeLibrary(RegistrationScope scope) override { return RegisterModuleTypeLibrary(path_, scope); }
  int32_t UnregisterTypeLibrary(RegistrationScope scope) override {
    return UnregisterModuleTypeLibrary(path_, scope);
  }

 private:
  HMODULE module_;
  std::wstring path_;
};

template <typename Run>
int32_t WithModule(HMODULE module, Run&& run) {
  ThreadLocaleGuard locale(LOCALE_SYSTEM_DEFAULT);
  std::wstring path;
  if (HRESULT result = ModuleFilePath(module, path); FAILED(result)) return result;
  ModulePlatform platform(module, path);
  Win32RegistryWriter registry;
  return run(platform, registry, ModuleScriptVariables(path));
}

// Whether the library of the other bitness has the class registered, machine-wide or for this
// user, in the other registry view: on 64-bit Windows a 64-bit library looks in the 32-bit view
// and a 32-bit one (running under WOW64) in the 64-bit view. A class there that names this very
// file is this library's own entry seen through a key the views share (32-bit Windows has one
// view only; some registries share the per-user class keys).
bool OtherBitnessRegistered(RegistrationScope scope, const std::wstring& ownPath) noexcept {
#ifdef _WIN64
  const REGSAM otherView = KEY_WOW64_32KEY;
#else
  BOOL wow64 = FALSE;
  if (!::IsWow64Process(::GetCurrentProcess(), &wow64) || !wow64) return false;
  const REGSAM otherView = KEY_WOW64_64KEY;
#endif
  wchar_t clsid[40] = {};
  if (::StringFromGUID2(CLSID_Connect, clsid, 40) == 0) return false;
  const std::wstring path = std::wstring(L"Software\\Classes\\CLSID\\") + clsid + L"\\InprocServer32";
  UniqueRegKey key;
  if (::RegOpenKeyExW(scope == RegistrationScope::kPerUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE, path.c_str(), 0,
                      KEY_READ | otherView, key.Put()) != ERROR_SUCCESS) {
    return false;
  }
  wchar_t server[MAX_PATH + 1] = {};
  DWORD size = sizeof(server) - sizeof(wchar_t);
  DWORD type = REG_NONE;
  if (::RegQueryValueExW(key.Get(), nullptr, nullptr, &type, reinterpret_cast<BYTE*>(server), &size) != ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ)) {
    return true;  // a class entry of some other form: still somebody's
  }
  return ::CompareStringOrdinal(server, -1, ownPath.c_str(), -1, TRUE) != CSTR_EQUAL;
}

}  // namespace

int32_t ModuleRegistrar::Register(RegistrationScope scope) {
  return WithModule(module_, [scope](RegistrationPlatform& platform, RegistryWriter& registry,
                                     const ReplacementVariables& variables) {
    return RegisterServerEntries(platform, registry, variables, scope);
  });
}

int32_t ModuleRegistrar::Unregister(RegistrationScope scope) {
  // Decided before anything is removed: the keys both views share stay while the other
  // bitness's library is registered (server/shared_keys_kept.h).
  std::wstring ownPath;
  const bool keepSharedKeys = SUCCEEDED(ModuleFilePath(module_, ownPath)) && OtherBitnessRegistered(scope, ownPath);
  return WithModule(module_, [scope, keepSharedKeys](RegistrationPlatform& platform, RegistryWriter& registry,
                                                     const ReplacementVariables& variables) {
    if (!keepSharedKeys) return UnregisterServerEntries(platform, registry, variables, scope);
    SharedKeysKept kept(registry);
    return UnregisterServerEntries(platform, kept, variables, scope);
  });
}

}  // namespace quillbox::win
