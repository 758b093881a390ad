#pragma once
// RegistryWriter on the Win32 registry. Every operation opens the key it needs and closes it
// again; failures come back as HRESULT_FROM_WIN32 of the registry's error code.

#include <windows.h>

#include "server/registry_writer.h"

namespace quillbox::win {

HKEY PredefinedKey(RegistryRoot root) noexcept;

class Win32RegistryWriter : public RegistryWriter {
 public:
  int32_t CreateKey(RegistryRoot root, std::u16string_view path) override;
  int32_t OpenKey(RegistryRoot root, std::u16string_view path) override;
  int32_t DeleteTree(RegistryRoot root, std::u16string_view path) override;
  int32_t DeleteKeyIfNoSubkeys(RegistryRoot root, std::u16string_view path) override;
  int32_t SetString(RegistryRoot root, std::u16string_view path, std::u16string_view name,
                    std::u16string_view value) override;
  int32_t SetDword(RegistryRoot root, std::u16string_view path, std::u16string_view name, uint32_t value) override;
  int32_t DeleteValue(RegistryRoot root, std::u16string_view path, std::u16string_view name) override;
};

}  // namespace quillbox::win
