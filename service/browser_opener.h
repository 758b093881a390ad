#pragma once

#include <string>

namespace quillbox {

// Hands an address to the default browser. Failures are not reported.
class BrowserOpener {
 public:
  virtual ~BrowserOpener() = default;
  virtual void Open(const std::u16string& address) = 0;
};

}  // namespace quillbox
