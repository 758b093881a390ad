#include "addin/win/ribbon_ui_target.h"

#include "common/com_error.h"
#include "common/win/bstr.h"

namespace quillbox::win {

void RibbonUiTarget::InvalidateControl(const std::u16string& controlId) {
  if (!ribbon_) throw ComError(hr::kPointer, kIidRibbonUI);
  const UniqueBstr id = UniqueBstr::FromText(controlId);
  const HRESULT result = ribbon_->InvalidateControl(id.Get());
  if (FAILED(result)) throw ComError(result, kIidRibbonUI);
}

}  // namespace quillbox::win
