#pragma once
// The registration script language: root blocks (HKCR, HKLM, HKCU, HKU) holding keys, each key
// with an optional keyword (NoRemove, ForceRemove), an optional default value, named values
// and subkeys. ParseRegistrarScript reads the text after its variables have been replaced.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "server/registrar_error.h"
#include "server/registry_writer.h"

namespace quillbox {

enum class KeyRemoval {
  kPlain,        // created at registration, deleted at unregistration when no subkey is left
  kNoRemove,     // never deleted at unregistration; its contents are still processed
  kForceRemove,  // deleted with everything below it and written anew at registration
};

struct RegistrarValue {
  enum class Type { kString, kDword };
  std::u16string name;  // empty for a key's default value
  Type type = Type::kString;
  std::u16string text;   // kString
  uint32_t number = 0;   // kDword
};

struct RegistrarKey {
  std::u16string name;
  KeyRemoval removal = KeyRemoval::kPlain;
  std::optional<RegistrarValue> defaultValue;
  std::vector<RegistrarValue> values;  // named values, in script order
  std::vector<RegistrarKey> subkeys;   // in script order
};

struct RegistrarRootBlock {
  RegistryRoot root = RegistryRoot::kClassesRoot;
  std::vector<RegistrarKey> keys;
};

struct RegistrarScript {
  std::vector<RegistrarRootBlock> blocks;
};

struct RegistrarParseResult {
  RegistrarScript script;
  RegistrarError error;  // set when the text is not a valid script; script is then empty
};

RegistrarParseResult ParseRegistrarScript(std::u16string_view text);

}  // namespace quillbox
