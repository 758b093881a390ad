#include "server/dll_install.h"

#include "common/com_error.h"
#include "server/ascii_case.h"

namespace quillbox {

bool IsPerUserCommandLine(const char16_t* commandLine) {
  if (!commandLine) return false;
  static constexpr char16_t kUser[] = u"user";  // five code units with its terminator
  for (size_t i = 0; i < sizeof kUser / sizeof kUser[0]; ++i) {
    if (AsciiLower(commandLine[i]) != kUser[i]) return false;  // stops at an earlier terminator
  }
  return true;
}

int32_t RunDllInstall(bool install, const char16_t* commandLine, RegistrationScope& scope,
                      ServerRegistrar& registrar) {
  if (IsPerUserCommandLine(commandLine)) scope = RegistrationScope::kPerUser;
  if (!install) return registrar.Unregister(scope);
  const int32_t result = registrar.Register(scope);
  if (hr::Failed(result)) registrar.Unregister(scope);
  return result;
}

}  // namespace quillbox
