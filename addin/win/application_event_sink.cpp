#include "addin/win/application_event_sink.h"

#include <ocidl.h>

#include "common/win/com_ptr.h"
#include "server/win/com/word_ids.h"

namespace quillbox::win {
namespace {

ComPtr<IConnectionPoint> FindEventConnectionPoint(IDispatch& application) noexcept {
  ComPtr<IConnectionPointContainer> container;
  if (FAILED(application.QueryInterface(IID_IConnectionPointContainer, container.PutVoid()))) return {};
  ComPtr<IConnectionPoint> point;
  if (FAILED(container->FindConnectionPoint(DIID_ApplicationEvents2, point.Put()))) return {};
  return point;
}

}  // namespace

STDMETHODIMP ApplicationEventSink::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
      IsEqualIID(iid, DIID_ApplicationEvents2)) {
    *out = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP ApplicationEventSink::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}

STDMETHODIMP ApplicationEventSink::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  if (info) *info = nullptr;
  return E_NOTIMPL;
}

STDMETHODIMP ApplicationEventSink::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
  return E_NOTIMPL;
}

// Word fires every application event here (WindowActivate is DISPID 10); none has an effect.
STDMETHODIMP ApplicationEventSink::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                          UINT*) {
  return S_OK;
}

bool ApplicationEventSink::Connect(IDispatch& application) noexcept {
  if (IsConnected()) return false;
  const ComPtr<IConnectionPoint> point = FindEventConnectionPoint(application);
  DWORD cookie = kNotConnected;
  if (point && SUCCEEDED(point->Advise(static_cast<IDispatch*>(this), &cookie))) cookie_ = cookie;
  return true;
}

void ApplicationEventSink::Disconnect(IDispatch& application) noexcept {
  if (const ComPtr<IConnectionPoint> point = FindEventConnectionPoint(application)) {
    point->Unadvise(cookie_);
  }
  cookie_ = kNotConnected;
}

}  // namespace quillbox::win
