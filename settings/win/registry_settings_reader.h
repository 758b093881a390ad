#pragma once
// The service base URL from the machine-wide registry value that the installer and the Group
// Policy template write, or else from the same value of the current user, which a per-user
// installation can set without an administrator.

#include <string>

#include "settings/settings_reader.h"

namespace quillbox::win {

// The default value of HKEY_LOCAL_MACHINE\Software\Slatewood\QuillboxAddIn, or, only when
// that gives no URL (key or value missing, unreadable or empty), the default value of the
// same key under HKEY_CURRENT_USER: the machine's value always wins. Opened with KEY_READ
// and no view flag, so the registry view native to the process applies.
constexpr wchar_t kSettingsSubkey[] = L"Software\\Slatewood\\QuillboxAddIn";
// The value's name: empty, the key's default value. The installer and the Group Policy template
// (installer/policy) write the same key and value.
constexpr wchar_t kSettingsValueName[] = L"";
// Beside it, the DWORD that turns the teacher's offline copy off when it is 0.
constexpr wchar_t kOfflineCopyValueName[] = L"OfflineCopy";

class RegistrySettingsReader : public SettingsReader {
 public:
  // The base URL, or the empty string when neither key gives one. A value longer than the
  // first buffer is read whole.
  std::u16string ReadServiceBaseUrl() override;
  // False only for a REG_DWORD OfflineCopy of 0; missing or of another type, the copy is kept.
  bool ReadOfflineCopyEnabled() override;
};

}  // namespace quillbox::win
