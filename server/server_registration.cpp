#include "server/server_registration.h"

#include "common/com_error.h"
#include "server/server_identity.h"

namespace quillbox {
namespace {

int32_t RunScriptResource(int resourceId, RegistrarMode mode, RegistrationPlatform& platform,
                          RegistryWriter& registry, const ReplacementVariables& variables,
                          RegistrationScope scope) {
  std::u16string text;
  if (int32_t result = platform.LoadScript(resourceId, text); hr::Failed(result)) return result;
  return RunRegistrarText(text, variables, mode, scope, registry);
}

}  // namespace

int32_t RegisterServerEntries(RegistrationPlatform& platform, RegistryWriter& registry,
                              const ReplacementVariables& variables, RegistrationScope scope) {
  for (int resourceId : {kAppIdScriptResource, kClassScriptResource}) {
    const int32_t result =
        RunScriptResource(resourceId, RegistrarMode::kRegister, platform, registry, variables, scope);
    if (hr::Failed(result)) return result;
  }
  return platform.RegisterTypeLibrary(scope);
}

int32_t UnregisterServerEntries(RegistrationPlatform& platform, RegistryWriter& registry,
                                const ReplacementVariables& variables, RegistrationScope scope) {
  int32_t result =
      RunScriptResource(kClassScriptResource, RegistrarMode::kUnregister, platform, registry, variables, scope);
  if (hr::Failed(result)) return result;
  result = platform.UnregisterTypeLibrary(scope);
  if (hr::Failed(result)) return result;
  return RunScriptResource(kAppIdScriptResource, RegistrarMode::kUnregister, platform, registry, variables, scope);
}

}  // namespace quillbox
