#pragma once
// On 64-bit Windows the 32-bit and the 64-bit library each register their class in their own
// registry view, but some keys they write are one key for both views: the ProgIDs
// (Classes\Quillbox.AddIn and Classes\Quillbox.AddIn.1, machine-wide and per user) and, per
// user, the Word add-in key below HKCU\Software\Microsoft\Office. While the library of the other
// bitness stays registered, its Word needs them to find the class, so unregistering this library
// must leave them. SharedKeysKept passes every operation to the writer it wraps, except that it
// deletes nothing at or below those keys.

#include "server/registry_writer.h"

namespace quillbox {

class SharedKeysKept : public RegistryWriter {
 public:
  explicit SharedKeysKept(RegistryWriter& inner) : inner_(inner) {}

  int32_t CreateKey(RegistryRoot root, std::u16string_view path) override { return inner_.CreateKey(root, path); }
  int32_t OpenKey(RegistryRoot root, std::u16string_view path) override { return inner_.OpenKey(root, path); }
  int32_t DeleteTree(RegistryRoot root, std::u16string_view path) override;
  int32_t DeleteKeyIfNoSubkeys(RegistryRoot root, std::u16string_view path) override;
  int32_t SetString(RegistryRoot root, std::u16string_view path, std::u16string_view name,
                    std::u16string_view value) override {
    return inner_.SetString(root, path, name, value);
  }
  int32_t SetDword(RegistryRoot root, std::u16string_view path, std::u16string_view name, uint32_t value) override {
    return inner_.SetDword(root, path, name, value);
  }
  int32_t DeleteValue(RegistryRoot root, std::u16string_view path, std::u16string_view name) override;

  // True for a key at or below one of the shared keys.
  static bool IsShared(RegistryRoot root, std::u16string_view path);

 private:
  RegistryWriter& inner_;
};

}  // namespace quillbox
