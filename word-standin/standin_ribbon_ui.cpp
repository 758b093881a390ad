#include "word-standin/standin_ribbon_ui.h"

#include <oleauto.h>

#include "word-standin/automation.h"

namespace quillbox::standin {
namespace {

enum Member : DISPID { kInvalidate = 1, kInvalidateControl = 2 };

}  // namespace

bool StandinRibbonUi::Answers(REFIID iid) const {
  return IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, IID_IRibbonUI);
}

STDMETHODIMP StandinRibbonUi::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  return LookUpMembers({L"Invalidate", L"InvalidateControl"}, names, count, ids);
}

STDMETHODIMP StandinRibbonUi::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO* exception, UINT*) {
  if (!(flags & DISPATCH_METHOD) || !params) return DISP_E_MEMBERNOTFOUND;
  if (result) ::VariantInit(result);
  HRESULT outcome = DISP_E_MEMBERNOTFOUND;
  if (id == kInvalidate) {
    outcome = params->cArgs == 0 ? Invalidate() : DISP_E_BADPARAMCOUNT;
  } else if (id == kInvalidateControl) {
    if (params->cArgs != 1) return DISP_E_BADPARAMCOUNT;
    if (params->rgvarg[0].vt != VT_BSTR) return DISP_E_TYPEMISMATCH;
    outcome = InvalidateControl(params->rgvarg[0].bstrVal);
  }
  return FAILED(outcome) && outcome != DISP_E_MEMBERNOTFOUND ? ReportFailure(outcome, exception) : outcome;
}

STDMETHODIMP StandinRibbonUi::Invalidate() {
  state_->invalidations.emplace_back(kWholeRibbon);
  return S_OK;
}

STDMETHODIMP StandinRibbonUi::InvalidateControl(BSTR controlId) {
  if (const HRESULT refused = state_->failures.ResultFor(HostStep::kRibbonInvalidate); FAILED(refused)) {
    return refused;
  }
  state_->invalidations.emplace_back(controlId ? controlId : L"", controlId ? ::SysStringLen(controlId) : 0);
  return S_OK;
}

}  // namespace quillbox::standin
