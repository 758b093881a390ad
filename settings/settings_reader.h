#pragma once

#include <string>

namespace quillbox {

// Reads the add-in's settings. Never fails.
class SettingsReader {
 public:
  virtual ~SettingsReader() = default;
  // The service's base URL; empty when it is not configured.
  virtual std::u16string ReadServiceBaseUrl() = 0;
  // Whether the teacher's offline copy is kept: true unless the settings turn it off.
  virtual bool ReadOfflineCopyEnabled() { return true; }
};

}  // namespace quillbox
