#include "settings/win/registry_settings_reader.h"

#include <windows.h>

#include <new>

#include "common/win/unique_handle.h"
#include "settings/base_url_value.h"

namespace quillbox::win {

namespace {

// What the first query offers: 500 UTF-16 characters.
constexpr DWORD kFirstBufferBytes = 1000;
// A value that keeps growing between the size query and the read is given up on after this
// many tries, as if it were absent.
constexpr int kMaxReads = 4;

struct ValueRead {
  bool succeeded = false;
  DWORD type = REG_NONE;
  std::string bytes;
};

// Reads the key's default value whole: the first attempt offers kFirstBufferBytes, each
// further one the size the registry asked for.
ValueRead ReadDefaultValue(HKEY key) {
  ValueRead value;
  value.bytes.resize(kFirstBufferBytes);
  for (int attempt = 0; attempt < kMaxReads; ++attempt) {
    DWORD size = static_cast<DWORD>(value.bytes.size());
    const LSTATUS status = ::RegQueryValueExW(key, kSettingsValueName, nullptr, &value.type,
                                              reinterpret_cast<BYTE*>(value.bytes.data()), &size);
    if (status == ERROR_SUCCESS) {
      value.succeeded = true;
      value.bytes.resize(size);
      return value;
    }
    if (status != ERROR_MORE_DATA) break;
    value.bytes.resize(size);
  }
  value.bytes.clear();
  return value;
}

std::u16string ReadBaseUrlUnder(HKEY root) {
  UniqueRegKey key;
  if (::RegOpenKeyExW(root, kSettingsSubkey, 0, KEY_READ, key.Put()) != ERROR_SUCCESS) {
    return BaseUrlFromRegistryValue(false, kRegNone, {});
  }
  const ValueRead value = ReadDefaultValue(key.Get());
  return BaseUrlFromRegistryValue(value.succeeded, value.type, value.bytes);
}

}  // namespace

std::u16string RegistrySettingsReader::ReadServiceBaseUrl() {
  try {
    std::u16string url = ReadBaseUrlUnder(HKEY_LOCAL_MACHINE);
    if (url.empty()) url = ReadBaseUrlUnder(HKEY_CURRENT_USER);
    return url;
  } catch (const std::bad_alloc&) {
    return {};
  }
}

bool RegistrySettingsReader::ReadOfflineCopyEnabled() {
  UniqueRegKey key;
  if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kSettingsSubkey, 0, KEY_READ, key.Put()) != ERROR_SUCCESS) return true;
  DWORD type = REG_NONE;
  DWORD value = 1;
  DWORD size = sizeof value;
  const LSTATUS status = ::RegQueryValueExW(key.Get(), kOfflineCopyValueName, nullptr, &type,
                                            reinterpret_cast<BYTE*>(&value), &size);
  return status != ERROR_SUCCESS || type != REG_DWORD || size != sizeof value || value != 0;
}

}  // namespace quillbox::win
