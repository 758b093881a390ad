#pragma once
// Runs a registration script against a RegistryWriter, writing its entries (registration) or
// removing them (unregistration), machine-wide or for the current user.
//
// Registration: a ForceRemove key is first deleted with everything below it; every key is
// created or opened and its default value and named values are written.
// Unregistration: keys that cannot be opened are skipped; every named value the script names
// is deleted; a key without NoRemove is deleted when, after its contents have been processed,
// it has no subkey left. Entries that are already gone are not an error.
// The first failing registry operation ends the run and its code is returned.

#include <cstdint>
#include <string>
#include <string_view>

#include "server/registrar_error.h"
#include "server/registrar_script.h"
#include "server/registrar_variables.h"
#include "server/registry_writer.h"

namespace quillbox {

enum class RegistrarMode { kRegister, kUnregister };

enum class RegistrationScope {
  kMachine,  // HKCR and HKLM blocks go where they say
  kPerUser,  // both go to the current user, so that no administrator rights are needed
};

// Where the keys of a root block are written: a root and a path inside it (empty for the
// root itself). The keys of that path belong to the system and are never deleted.
struct RootPlacement {
  RegistryRoot root = RegistryRoot::kClassesRoot;
  std::u16string prefix;
};

// Machine-wide, every block stays where it is. Per user, the HKCR block is written under
// HKCU\Software\Classes (the current user's part of HKCR) and the HKLM block under HKCU, where
// Word also looks for its add-in keys.
RootPlacement PlaceRootBlock(RegistryRoot scriptRoot, RegistrationScope scope);

int32_t RunRegistrarScript(const RegistrarScript& script, RegistrarMode mode, RegistrationScope scope,
                           RegistryWriter& registry);

// Replaces the variables in text, reads it and runs it. A script that cannot be read writes
// nothing and returns registrar_error::kBadScript, with the reason in *error when given.
int32_t RunRegistrarText(std::u16string_view text, const ReplacementVariables& variables, RegistrarMode mode,
                         RegistrationScope scope, RegistryWriter& registry, RegistrarError* error = nullptr);

}  // namespace quillbox
