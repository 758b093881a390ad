#include "word-standin/standin_ribbon_control.h"

#include <oleauto.h>

#include "word-standin/automation.h"

namespace quillbox::standin {
namespace {

enum Member : DISPID { kId = 1, kContext = 2, kTag = 3 };

}  // namespace

bool StandinRibbonControl::Answers(REFIID iid) const {
  return IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, IID_IRibbonControl);
}

STDMETHODIMP StandinRibbonControl::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  return LookUpMembers({L"Id", L"Context", L"Tag"}, names, count, ids);
}

STDMETHODIMP StandinRibbonControl::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result,
                                          EXCEPINFO*, UINT*) {
  if (!(flags & DISPATCH_PROPERTYGET)) return DISP_E_MEMBERNOTFOUND;
  if (!result) return E_POINTER;
  ::VariantInit(result);
  switch (id) {
    case kId:
      result->vt = VT_BSTR;
      return get_Id(&result->bstrVal);
    case kContext:
      result->vt = VT_DISPATCH;
      return get_Context(&result->pdispVal);
    case kTag:
      result->vt = VT_BSTR;
      return get_Tag(&result->bstrVal);
    default:
      return DISP_E_MEMBERNOTFOUND;
  }
}

STDMETHODIMP StandinRibbonControl::get_Id(BSTR* id) {
  if (!id) return E_POINTER;
  *id = ::SysAllocStringLen(id_.data(), static_cast<UINT>(id_.size()));
  return *id ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP StandinRibbonControl::get_Context(IDispatch** context) {
  if (!context) return E_POINTER;
  *context = context_.Get();
  if (*context) (*context)->AddRef();
  return S_OK;
}

STDMETHODIMP StandinRibbonControl::get_Tag(BSTR* tag) {
  if (!tag) return E_POINTER;
  *tag = ::SysAllocString(L"");
  return *tag ? S_OK : E_OUTOFMEMORY;
}

}  // namespace quillbox::standin
