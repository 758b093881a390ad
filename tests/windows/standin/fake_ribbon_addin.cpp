#include "fake_ribbon_addin.h"

#include <oleauto.h>

#include <algorithm>

namespace quillbox::standin::testing {
namespace {

// A property or method call by name on an automation object.
HRESULT CallByName(IDispatch* object, const wchar_t* name, WORD flags, VARIANT* argument, VARIANT* result) {
  DISPID id = 0;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  HRESULT outcome = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(outcome)) return outcome;
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS params{argument, flags == DISPATCH_PROPERTYPUT ? &named : nullptr, argument ? 1u : 0u,
                    flags == DISPATCH_PROPERTYPUT ? 1u : 0u};
  return object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result, nullptr, nullptr);
}

}  // namespace

FakeRibbonAddin::FakeRibbonAddin(std::wstring xml, std::map<std::wstring, Callback> callbacks)
    : xml_(std::move(xml)), callbacks_(std::move(callbacks)) {}

STDMETHODIMP FakeRibbonAddin::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, IID__IDTExtensibility2)) {
    *out = static_cast<_IDTExtensibility2*>(this);
  } else if (IsEqualIID(iid, IID_IRibbonExtensibility)) {
    *out = static_cast<IRibbonExtensibility*>(this);
  } else {
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

STDMETHODIMP_(ULONG) FakeRibbonAddin::Release() {
  const ULONG remaining = --references_;
  if (remaining == 0) delete this;
  return remaining;
}

STDMETHODIMP FakeRibbonAddin::GetTypeInfoCount(UINT* count) {
  *count = 0;
  return S_OK;
}

STDMETHODIMP FakeRibbonAddin::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  *info = nullptr;
  return E_NOTIMPL;
}

STDMETHODIMP FakeRibbonAddin::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  HRESULT outcome = S_OK;
  for (UINT i = 0; i < count; ++i) {
    const std::wstring name = names[i];
    if (!callbacks_.count(name)) {
      ids[i] = DISPID_UNKNOWN;
      outcome = DISP_E_UNKNOWNNAME;
      continue;
    }
    auto found = std::find(names_.begin(), names_.end(), name);
    if (found == names_.end()) found = names_.insert(names_.end(), name);
    ids[i] = static_cast<DISPID>(found - names_.begin()) + 1;
  }
  return outcome;
}

STDMETHODIMP FakeRibbonAddin::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO*, UINT*) {
  if (id < 1 || static_cast<size_t>(id) > names_.size()) return DISP_E_MEMBERNOTFOUND;
  const std::wstring& name = names_[static_cast<size_t>(id) - 1];
  calls_.push_back(name);
  std::vector<VARIANT*> arguments;
  for (UINT i = params->cArgs; i > 0; --i) arguments.push_back(&params->rgvarg[i - 1]);
  if (result) ::VariantInit(result);
  return callbacks_.at(name)(arguments, result);
}

STDMETHODIMP FakeRibbonAddin::OnConnection(IDispatch* application, ext_ConnectMode, IDispatch*, SAFEARRAY**) {
  application_ = win::ComPtr<IDispatch>(application);
  // The onLoad callback hands over the ribbon object; keep it whatever the test's handler does.
  Callback& onLoad = callbacks_[L"Loaded"];
  onLoad = [this, previous = onLoad](const std::vector<VARIANT*>& arguments, VARIANT* result) {
    ribbon_ = win::ComPtr<IDispatch>(arguments.at(0)->pdispVal);
    return previous ? previous(arguments, result) : S_OK;
  };
  return S_OK;
}

STDMETHODIMP FakeRibbonAddin::OnDisconnection(ext_DisconnectMode, SAFEARRAY**) {
  application_.Reset();
  ribbon_.Reset();
  return S_OK;
}

STDMETHODIMP FakeRibbonAddin::GetCustomUI(BSTR, BSTR* xml) {
  *xml = ::SysAllocStringLen(xml_.data(), static_cast<UINT>(xml_.size()));
  return *xml ? S_OK : E_OUTOFMEMORY;
}

HRESULT FakeRibbonAddin::Invalidate(const wchar_t* id) {
  win::ComPtr<IRibbonUI> ribbon;
  const HRESULT found = ribbon_.As(IID_IRibbonUI, ribbon);
  if (FAILED(found)) return found;
  BSTR controlId = ::SysAllocString(id);
  const HRESULT outcome = ribbon->InvalidateControl(controlId);
  ::SysFreeString(controlId);
  return outcome;
}

HRESULT FakeRibbonAddin::WriteAtSelection(const std::wstring& text) {
  VARIANT selection;
  ::VariantInit(&selection);
  HRESULT outcome = CallByName(application_.Get(), L"Selection", DISPATCH_PROPERTYGET, nullptr, &selection);
  if (FAILED(outcome)) return outcome;
  VARIANT value;
  value.vt = VT_BSTR;
  value.bstrVal = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  outcome = CallByName(selection.pdispVal, L"Text", DISPATCH_PROPERTYPUT, &value, nullptr);
  ::VariantClear(&value);
  VARIANT end;
  ::VariantInit(&end);
  if (SUCCEEDED(outcome)) outcome = CallByName(selection.pdispVal, L"End", DISPATCH_PROPERTYGET, nullptr, &end);
  if (SUCCEEDED(outcome)) outcome = CallByName(selection.pdispVal, L"Start", DISPATCH_PROPERTYPUT, &end, nullptr);
  ::VariantClear(&selection);
  return outcome;
}

HRESULT ReturnText(VARIANT* result, const std::wstring& text) {
  result->vt = VT_BSTR;
  result->bstrVal = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  return S_OK;
}

HRESULT ReturnLong(VARIANT* result, long value) {
  result->vt = VT_I4;
  result->lVal = value;
  return S_OK;
}

HRESULT ReturnFlag(VARIANT* result, bool value) {
  result->vt = VT_BOOL;
  result->boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
  return S_OK;
}

}  // namespace quillbox::standin::testing
