#pragma once
// Writes the current user's Internet settings (the proxy page of the system's settings) for
// as long as the object lives, in the binary value where Windows keeps them, and puts back
// what was there before.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "common/win/unique_handle.h"

namespace quillbox::testing {

struct InternetSettings {
  enum Flags : DWORD { kDirect = 1, kFixedProxy = 2, kScript = 4, kAutoDetect = 8 };
  DWORD flags = kDirect;
  std::string proxy;      // with kFixedProxy
  std::string bypass;     // with kFixedProxy
  std::string scriptUrl;  // with kScript
};

// DefaultConnectionSettings: little-endian version, change counter and flags, then the proxy,
// the bypass list and the script URL, each as a length and its ANSI characters.
std::vector<BYTE> ConnectionSettingsValue(const InternetSettings& settings);

class InternetSettingsOverride {
 public:
  explicit InternetSettingsOverride(const InternetSettings& settings);
  ~InternetSettingsOverride();
  InternetSettingsOverride(const InternetSettingsOverride&) = delete;
  InternetSettingsOverride& operator=(const InternetSettingsOverride&) = delete;

  bool Written() const { return written_; }
  // Writes other settings in place of the current ones; what is put back stays the same.
  bool Change(const InternetSettings& settings);

 private:
  win::UniqueRegKey key_;
  std::optional<std::vector<BYTE>> previous_;
  bool written_ = false;
};

}  // namespace quillbox::testing
