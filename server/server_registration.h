#pragma once
// The order of work when the COM server registers or unregisters itself: the two scripts and
// the type library. The platform supplies the script texts and the type library calls.
//
// Registration: script 101, script 202, type library. Unregistration: script 202, type
// library, script 101. The first failing step ends the run and its code is returned; what was
// written before it stays.

#include <cstdint>
#include <string>

#include "server/registrar_executor.h"
#include "server/registrar_variables.h"
#include "server/registry_writer.h"

namespace quillbox {

class RegistrationPlatform {
 public:
  virtual ~RegistrationPlatform() = default;
  // The text of a registration script resource.
  virtual int32_t LoadScript(int resourceId, std::u16string& text) = 0;
  virtual int32_t RegisterTypeLibrary(RegistrationScope scope) = 0;
  virtual int32_t UnregisterTypeLibrary(RegistrationScope scope) = 0;
};

int32_t RegisterServerEntries(RegistrationPlatform& platform, RegistryWriter& registry,
                              const ReplacementVariables& variables, RegistrationScope scope);
int32_t UnregisterServerEntries(RegistrationPlatform& platform, RegistryWriter& registry,
                                const ReplacementVariables& variables, RegistrationScope scope);

}  // namespace quillbox
