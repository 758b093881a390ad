#pragma once
// The registry as the registration script interpreter needs it: keys addressed by a root and a
// backslash-separated path below it, written and removed one operation at a time. The Windows
// shell implements it on the Win32 registry; tests hand the interpreter an in-memory one.

#include <cstdint>
#include <string_view>

namespace quillbox {

enum class RegistryRoot { kClassesRoot, kCurrentUser, kLocalMachine, kUsers };

// Failure codes of the registry as HRESULT_FROM_WIN32 gives them, spelled out so that the
// core needs no Windows headers.
namespace registry_error {
constexpr int32_t kFileNotFound = static_cast<int32_t>(0x80070002u);
constexpr int32_t kPathNotFound = static_cast<int32_t>(0x80070003u);
constexpr int32_t kAccessDenied = static_cast<int32_t>(0x80070005u);

// True for the codes that mean "there is no such key or value".
constexpr bool IsNotFound(int32_t code) { return code == kFileNotFound || code == kPathNotFound; }
}  // namespace registry_error

// Every operation returns hr::kOk or the failing HRESULT. An empty value name stands for the
// key's default value.
class RegistryWriter {
 public:
  virtual ~RegistryWriter() = default;

  // Creates the key (and any missing key above it) or opens it when it exists.
  virtual int32_t CreateKey(RegistryRoot root, std::u16string_view path) = 0;
  // Tells whether the key exists and can be opened for reading and writing.
  virtual int32_t OpenKey(RegistryRoot root, std::u16string_view path) = 0;
  // Deletes the key with everything below it.
  virtual int32_t DeleteTree(RegistryRoot root, std::u16string_view path) = 0;
  // Deletes the key when it has no subkey; a key that still has subkeys is kept and counts
  // as success.
  virtual int32_t DeleteKeyIfNoSubkeys(RegistryRoot root, std::u16string_view path) = 0;

  virtual int32_t SetString(RegistryRoot root, std::u16string_view path, std::u16string_view name,
                            std::u16string_view value) = 0;
  virtual int32_t SetDword(RegistryRoot root, std::u16string_view path, std::u16string_view name,
                           uint32_t value) = 0;
  virtual int32_t DeleteValue(RegistryRoot root, std::u16string_view path, std::u16string_view name) = 0;
};

}  // namespace quillbox
