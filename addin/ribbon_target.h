#pragma once

#include <string>

namespace quillbox {

// The ribbon as the add-in sees it: it can be told to read a control's callbacks again.
// A failure (no ribbon object, a failing call) throws ComError.
class RibbonTarget {
 public:
  virtual ~RibbonTarget() = default;
  virtual void InvalidateControl(const std::u16string& controlId) = 0;
};

}  // namespace quillbox
