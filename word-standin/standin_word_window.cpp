#include "word-standin/standin_word_window.h"

#include <oleauto.h>

#include "word-standin/automation.h"

namespace quillbox::standin {
namespace {

enum Member : DISPID { kHwnd = 1, kCaption = 2, kIndex = 3 };

}  // namespace

STDMETHODIMP StandinWordWindow::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  return LookUpMembers({L"Hwnd", L"Caption", L"Index"}, names, count, ids);
}

// Read-only properties: a put is refused as Word refuses it.
STDMETHODIMP StandinWordWindow::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result,
                                       EXCEPINFO*, UINT*) {
  if (id < kHwnd || id > kIndex || !(flags & DISPATCH_PROPERTYGET)) return DISP_E_MEMBERNOTFOUND;
  if (!result) return E_POINTER;
  ::VariantInit(result);
  if (id == kCaption) {
    result->vt = VT_BSTR;
    result->bstrVal = ::SysAllocStringLen(caption_.data(), static_cast<UINT>(caption_.size()));
    return result->bstrVal ? S_OK : E_OUTOFMEMORY;
  }
  result->vt = VT_I4;
  result->lVal = id == kHwnd ? static_cast<LONG>(reinterpret_cast<LONG_PTR>(window_)) : index_;
  return S_OK;
}

}  // namespace quillbox::standin
