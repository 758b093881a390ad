#include "word-standin/standin_application.h"

#include <oleauto.h>
#include <olectl.h>

#include "server/win/com/word_ids.h"
#include "word-standin/automation.h"
#include "word-standin/standin_selection.h"

namespace quillbox::standin {
namespace {

enum Member : DISPID { kSelection = 1, kActiveWindow = 2 };

// Word's error for ActiveWindow when no document is open (4248).
constexpr HRESULT kWordNoDocument = static_cast<HRESULT>(0x800A1098);

}  // namespace

StandinApplication* StandinApplication::Create(std::shared_ptr<HostState> state) {
  return new StandinApplication(std::move(state));
}

StandinApplication::StandinApplication(std::shared_ptr<HostState> state)
    : state_(std::move(state)),
      events_(win::ComPtr<StandinConnectionPoint>::Attach(
          new StandinConnectionPoint(*static_cast<IConnectionPointContainer*>(this)))) {}

STDMETHODIMP StandinApplication::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  IUnknown* answer = nullptr;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, win::IID_WordApplication)) {
    answer = static_cast<IDispatch*>(this);
  } else if (IsEqualIID(iid, IID_IConnectionPointContainer)) {
    answer = static_cast<IConnectionPointContainer*>(this);
  }
  *out = answer;
  if (!answer) return E_NOINTERFACE;
  answer->AddRef();
  return S_OK;
}

STDMETHODIMP_(ULONG) StandinApplication::Release() {
  const ULONG remaining = --references_;
  if (remaining == 0) delete this;
  return remaining;
}

STDMETHODIMP StandinApplication::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}

STDMETHODIMP StandinApplication::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  if (info) *info = nullptr;
  return E_NOTIMPL;
}

STDMETHODIMP StandinApplication::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  return LookUpMembers({L"Selection", L"ActiveWindow"}, names, count, ids);
}

// Every read of Selection hands out a new object, as Word does.
STDMETHODIMP StandinApplication::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result,
                                        EXCEPINFO* exception, UINT*) {
  if ((id != kSelection && id != kActiveWindow) || !(flags & DISPATCH_PROPERTYGET)) return DISP_E_MEMBERNOTFOUND;
  if (!result) return E_POINTER;
  ::VariantInit(result);
  if (id == kActiveWindow) {
    if (!state_->activeWindow) {
      return ReportWordError(kWordNoDocument, L"This command is not available because no document is open.",
                             exception);
    }
    result->vt = VT_DISPATCH;
    result->pdispVal = state_->activeWindow.Get();
    result->pdispVal->AddRef();
    return S_OK;
  }
  if (const HRESULT refused = state_->failures.ResultFor(HostStep::kApplicationSelection); FAILED(refused)) {
    return ReportFailure(refused, exception);
  }
  result->vt = VT_DISPATCH;
  result->pdispVal = state_->failures.nullSelection ? nullptr : new StandinSelection(state_);
  return S_OK;
}

STDMETHODIMP StandinApplication::EnumConnectionPoints(IEnumConnectionPoints** points) {
  if (points) *points = nullptr;
  return E_NOTIMPL;
}

STDMETHODIMP StandinApplication::FindConnectionPoint(REFIID iid, IConnectionPoint** point) {
  if (!point) return E_POINTER;
  *point = nullptr;
  if (!IsEqualIID(iid, win::DIID_ApplicationEvents2)) return CONNECT_E_NOCONNECTION;
  *point = events_.Get();
  (*point)->AddRef();
  return S_OK;
}

}  // namespace quillbox::standin
