#pragma once
// What DllInstall does with its install flag and command line, apart from the platform.

#include <cstdint>

#include "server/registrar_executor.h"

namespace quillbox {

// True when the command line is "user": compared over five code units, the terminator
// included, with the letters A to Z matched regardless of case. Null is not "user".
bool IsPerUserCommandLine(const char16_t* commandLine);

class ServerRegistrar {
 public:
  virtual ~ServerRegistrar() = default;
  virtual int32_t Register(RegistrationScope scope) = 0;
  virtual int32_t Unregister(RegistrationScope scope) = 0;
};

// A "user" command line switches scope to per-user (it stays so for the caller to keep);
// anything else leaves scope as it was. Then: no install flag unregisters; otherwise
// registers, and a failed registration is undone by unregistering, whose own result is
// ignored, and the registration's failure returned.
int32_t RunDllInstall(bool install, const char16_t* commandLine, RegistrationScope& scope,
                      ServerRegistrar& registrar);

}  // namespace quillbox
