#pragma once

#include <string>

namespace quillbox {

// Reads the service's base URL; empty when it is not configured. Never fails.
class SettingsReader {
 public:
  virtual ~SettingsReader() = default;
  virtual std::u16string ReadServiceBaseUrl() = 0;
};

}  // namespace quillbox
