#pragma once

#include <string>

namespace quillbox {

// Hands an address to the default browser. An implementation that cannot start one tells the
// teacher itself; the caller learns nothing.
class BrowserOpener {
 public:
  virtual ~BrowserOpener() = default;
  virtual void Open(const std::u16string& address) = 0;
};

}  // namespace quillbox
