#include "internet_settings.h"

namespace quillbox::testing {
namespace {

constexpr wchar_t kConnections[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Connections";
constexpr wchar_t kValue[] = L"DefaultConnectionSettings";
constexpr DWORD kVersion = 0x46;

void AppendDword(std::vector<BYTE>& bytes, DWORD value) {
  for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<BYTE>(value >> shift));
}

void AppendString(std::vector<BYTE>& bytes, const std::string& text) {
  AppendDword(bytes, static_cast<DWORD>(text.size()));
  bytes.insert(bytes.end(), text.begin(), text.end());
}

}  // namespace

std::vector<BYTE> ConnectionSettingsValue(const InternetSettings& settings) {
  std::vector<BYTE> bytes;
  AppendDword(bytes, kVersion);
  AppendDword(bytes, 1);
  AppendDword(bytes, settings.flags);
  AppendString(bytes, settings.proxy);
  AppendString(bytes, settings.bypass);
  AppendString(bytes, settings.scriptUrl);
  return bytes;
}

InternetSettingsOverride::InternetSettingsOverride(const InternetSettings& settings) {
  if (::RegCreateKeyExW(HKEY_CURRENT_USER, kConnections, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr,
                        key_.Put(), nullptr) != ERROR_SUCCESS) {
    return;
  }
  DWORD size = 0;
  DWORD type = REG_NONE;
  if (::RegQueryValueExW(key_.Get(), kValue, nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
    std::vector<BYTE> previous(size);
    if (::RegQueryValueExW(key_.Get(), kValue, nullptr, &type, previous.data(), &size) == ERROR_SUCCESS) {
      previous.resize(size);
      previous_ = std::move(previous);
    }
  }
  written_ = Change(settings);
}

bool InternetSettingsOverride::Change(const InternetSettings& settings) {
  if (!key_) return false;
  const std::vector<BYTE> value = ConnectionSettingsValue(settings);
  return ::RegSetValueExW(key_.Get(), kValue, 0, REG_BINARY, value.data(), static_cast<DWORD>(value.size())) ==
         ERROR_SUCCESS;
}

InternetSettingsOverride::~InternetSettingsOverride() {
  if (!key_) return;
  if (previous_) {
    ::RegSetValueExW(key_.Get(), kValue, 0, REG_BINARY, previous_->data(), static_cast<DWORD>(previous_->size()));
  } else {
    ::RegDeleteValueW(key_.Get(), kValue);
  }
}

}  // namespace quillbox::testing
