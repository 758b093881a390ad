#include "server/win/registration/module_registrar.h"

#include <string>

#include "server/server_registration.h"
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

}  // namespace

int32_t ModuleRegistrar::Register(RegistrationScope scope) {
  return WithModule(module_, [scope](RegistrationPlatform& platform, RegistryWriter& registry,
                                     const ReplacementVariables& variables) {
    return RegisterServerEntries(platform, registry, variables, scope);
  });
}

int32_t ModuleRegistrar::Unregister(RegistrationScope scope) {
  return WithModule(module_, [scope](RegistrationPlatform& platform, RegistryWriter& registry,
                                     const ReplacementVariables& variables) {
    return UnregisterServerEntries(platform, registry, variables, scope);
  });
}

}  // namespace quillbox::win
