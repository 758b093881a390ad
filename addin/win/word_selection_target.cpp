#include "addin/win/word_selection_target.h"

#include <utility>

#include "common/com_error.h"
#include "common/win/bstr.h"
#include "common/win/variant.h"

namespace quillbox::win {

void WordSelectionTarget::SetApplication(ComPtr<IDispatch> application) noexcept {
  application_ = std::move(application);
  // A new host may number its members differently.
  for (DispatchName* name : {&selection_, &text_, &end_, &start_}) name->Forget();
}

ComPtr<IDispatch> WordSelectionTarget::Selection() {
  if (!application_) throw ComError(hr::kPointer, kIidWordApplication);
  IDispatch& application = *application_.Get();
  UniqueVariant result;
  GetDispatchProperty(application, selection_.Resolve(application, kIidWordApplication), result.Put(),
                      kIidWordApplication);
  if (result.Type() != VT_DISPATCH || !result.Value().pdispVal) {
    throw ComError(hr::kPointer, kIidWordApplication);
  }
  return ComPtr<IDispatch>(result.Value().pdispVal);
}

void WordSelectionTarget::SetSelectionText(const std::u16string& text) {
  const ComPtr<IDispatch> selection = Selection();
  UniqueBstr value = UniqueBstr::FromText(text);
  VARIANT argument;
  argument.vt = VT_BSTR;
  argument.bstrVal = value.Get();
  PutDispatchProperty(*selection.Get(), text_.Resolve(*selection.Get(), kIidWordSelection), argument,
                      kIidWordSelection);
}

int32_t WordSelectionTarget::GetSelectionEnd() {
  const ComPtr<IDispatch> selection = Selection();
  UniqueVariant result;
  GetDispatchProperty(*selection.Get(), end_.Resolve(*selection.Get(), kIidWordSelection), result.Put(),
                      kIidWordSelection);
  const HRESULT converted = ::VariantChangeType(result.Get(), result.Get(), 0, VT_I4);
  if (FAILED(converted)) throw ComError(converted, kIidWordSelection);
  return result.Value().lVal;
}

void WordSelectionTarget::SetSelectionStart(int32_t position) {
  const ComPtr<IDispatch> selection = Selection();
  VARIANT argument;
  argument.vt = VT_I4;
  argument.lVal = position;
  PutDispatchProperty(*selection.Get(), start_.Resolve(*selection.Get(), kIidWordSelection), argument,
                      kIidWordSelection);
}

}  // namespace quillbox::win
