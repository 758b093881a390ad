#pragma once
// A small add-in object for testing the stand-in window: it serves a ribbon XML given by the
// test, answers each callback by name from a table of handlers, and logs every callback call in
// order. It keeps Word's application object and the ribbon object like a real add-in does, so a
// handler can invalidate controls and write through the Selection.

#include <windows.h>

#include <oaidl.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "common/win/com_ptr.h"
#include "office_interfaces.h"

namespace quillbox::standin::testing {

// A callback's arguments in the order of its parameters; result is null for actions.
using Callback = std::function<HRESULT(const std::vector<VARIANT*>& arguments, VARIANT* result)>;

class FakeRibbonAddin final : public _IDTExtensibility2, public IRibbonExtensibility {
 public:
  // Adopt the first reference with ComPtr<FakeRibbonAddin>::Attach.
  FakeRibbonAddin(std::wstring xml, std::map<std::wstring, Callback> callbacks);

  std::vector<std::wstring>& Calls() noexcept { return calls_; }
  // IRibbonUI::InvalidateControl on the ribbon object the onLoad callback received.
  HRESULT Invalidate(const wchar_t* id);
  // Selection.Text put, then Selection.Start put to Selection.End: a comment written at the
  // cursor, as the real add-in writes it.
  HRESULT WriteAtSelection(const std::wstring& text);

  STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override { return ++references_; }
  STDMETHODIMP_(ULONG) Release() override;
  STDMETHODIMP GetTypeInfoCount(UINT* count) override;
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
  STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO*,
                      UINT*) override;

  STDMETHODIMP OnConnection(IDispatch* application, ext_ConnectMode, IDispatch*, SAFEARRAY**) override;
  STDMETHODIMP OnDisconnection(ext_DisconnectMode, SAFEARRAY**) override;
  STDMETHODIMP OnAddInsUpdate(SAFEARRAY**) override { return S_OK; }
  STDMETHODIMP OnStartupComplete(SAFEARRAY**) override { return S_OK; }
  STDMETHODIMP OnBeginShutdown(SAFEARRAY**) override { return S_OK; }

  STDMETHODIMP GetCustomUI(BSTR, BSTR* xml) override;

 private:
  ~FakeRibbonAddin() = default;

  ULONG references_ = 1;
  std::wstring xml_;
  std::map<std::wstring, Callback> callbacks_;
  std::vector<std::wstring> names_;  // DISPID - 1 is the position here
  std::vector<std::wstring> calls_;
  win::ComPtr<IDispatch> application_;
  win::ComPtr<IDispatch> ribbon_;
};

// Results for handlers.
HRESULT ReturnText(VARIANT* result, const std::wstring& text);
HRESULT ReturnLong(VARIANT* result, long value);
HRESULT ReturnFlag(VARIANT* result, bool value);

}  // namespace quillbox::standin::testing
