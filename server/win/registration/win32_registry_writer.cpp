#include "server/win/registration/win32_registry_writer.h"

#include <string>

#include "common/win/unique_handle.h"
#include "common/win/wide.h"

namespace quillbox::win {
namespace {

int32_t FromRegistryError(LONG error) { return static_cast<int32_t>(HRESULT_FROM_WIN32(error)); }

LONG Open(RegistryRoot root, std::u16string_view path, REGSAM access, UniqueRegKey& key) {
  const std::wstring widePath = ToWide(path);
  return ::RegOpenKeyExW(PredefinedKey(root), widePath.c_str(), 0, access, key.Put());
}

// The value name as the registry calls take it: null for the default value.
const wchar_t* ValueName(const std::wstring& name) { return name.empty() ? nullptr : name.c_str(); }

int32_t SetValue(RegistryRoot root, std::u16string_view path, std::u16string_view name, DWORD type,
                 const void* data, DWORD size) {
  UniqueRegKey key;
  if (LONG error = Open(root, path, KEY_SET_VALUE, key)) return FromRegistryError(error);
  const std::wstring wideName = ToWide(name);
  return FromRegistryError(
      ::RegSetValueExW(key.Get(), ValueName(wideName), 0, type, static_cast<const BYTE*>(data), size));
}

}  // namespace

HKEY PredefinedKey(RegistryRoot root) noexcept {
  switch (root) {
    case RegistryRoot::kClassesRoot: return HKEY_CLASSES_ROOT;
    case RegistryRoot::kCurrentUser: return HKEY_CURRENT_USER;
    case RegistryRoot::kLocalMachine: return HKEY_LOCAL_MACHINE;
    case RegistryRoot::kUsers: return HKEY_USERS;
  }
  return nullptr;
}

int32_t Win32RegistryWriter::CreateKey(RegistryRoot root, std::u16string_view path) {
  const std::wstring widePath = ToWide(path);
  UniqueRegKey key;
  return FromRegistryError(::RegCreateKeyExW(PredefinedKey(root), widePath.c_str(), 0, nullptr,
                                             REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, nullptr, key.Put(),
                                             nullptr));
}

int32_t Win32RegistryWriter::OpenKey(RegistryRoot root, std::u16string_view path) {
  UniqueRegKey key;
  return FromRegistryError(Open(root, path, KEY_READ | KEY_WRITE, key));
}

int32_t Win32RegistryWriter::DeleteTree(RegistryRoot root, std::u16string_view path) {
  const std::wstring widePath = ToWide(path);
  return FromRegistryError(::RegDeleteTreeW(PredefinedKey(root), widePath.c_str()));
}

int32_t Win32RegistryWriter::DeleteKeyIfNoSubkeys(RegistryRoot root, std::u16string_view path) {
  DWORD subkeys = 0;
  {
    UniqueRegKey key;
    if (LONG error = Open(root, path, KEY_READ, key)) return FromRegistryError(error);
    if (LONG error = ::RegQueryInfoKeyW(key.Get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, nullptr,
                                        nullptr, nullptr, nullptr, nullptr)) {
      return FromRegistryError(error);
    }
  }
  if (subkeys != 0) return S_OK;
  const std::wstring widePath = ToWide(path);
  return FromRegistryError(::RegDeleteKeyW(PredefinedKey(root), widePath.c_str()));
}

int32_t Win32RegistryWriter::SetString(RegistryRoot root, std::u16string_view path, std::u16string_view name,
                                       std::u16string_view value) {
  const std::wstring text = ToWide(value);
  return SetValue(root, path, name, REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

int32_t Win32RegistryWriter::SetDword(RegistryRoot root, std::u16string_view path, std::u16string_view name,
                                      uint32_t value) {
  const DWORD number = value;
  return SetValue(root, path, name, REG_DWORD, &number, sizeof number);
}

int32_t Win32RegistryWriter::DeleteValue(RegistryRoot root, std::u16string_view path, std::u16string_view name) {
  UniqueRegKey key;
  if (LONG error = Open(root, path, KEY_SET_VALUE, key)) return FromRegistryError(error);
  const std::wstring wideName = ToWide(name);
  return FromRegistryError(::RegDeleteValueW(key.Get(), ValueName(wideName)));
}

}  // namespace quillbox::win
