#pragma once
// The core's ribbon port on Office's IRibbonUI: InvalidateControl through the interface's
// table of functions, as Office expects.

#include "addin/ribbon_target.h"
#include "common/win/com_ptr.h"
#include "office_interfaces.h"

namespace quillbox::win {

class RibbonUiTarget final : public RibbonTarget {
 public:
  // The ribbon object handed to the onLoad callback; an empty pointer when there is none.
  void Reset(ComPtr<IRibbonUI> ribbon) noexcept { ribbon_ = std::move(ribbon); }
  bool HasRibbon() const noexcept { return static_cast<bool>(ribbon_); }

  // Throws ComError: E_POINTER without a ribbon object, E_OUTOFMEMORY when the control id
  // cannot be allocated, and the ribbon's own failure with the IRibbonUI interface id.
  void InvalidateControl(const std::u16string& controlId) override;

 private:
  ComPtr<IRibbonUI> ribbon_;
};

}  // namespace quillbox::win
