#include "addin/win/connect.h"

#include <new>
#include <utility>

#include "addin/win/callback_arguments.h"
#include "addin/win/callback_type_info.h"
#include "addin/win/ribbon_xml_resource.h"
#include "common/win/com_boundary.h"
#include "server/win/com/module_state.h"
#include "server/win/com/word_ids.h"

namespace quillbox::win {

HRESULT CConnect::Create(std::unique_ptr<ShellPorts> ports, REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  CConnect* object = new (std::nothrow) CConnect(std::move(ports));
  if (!object) return E_OUTOFMEMORY;
  // The temporary reference destroys the object when the query fails.
  object->AddRef();
  const HRESULT result = object->QueryInterface(iid, out);
  object->Release();
  return result;
}

CConnect::CConnect(std::unique_ptr<ShellPorts> ports)
    : shell_(std::move(ports)),
      events_(*static_cast<IAddInCallback*>(this)),
      core_(AddinPorts{ribbon_, document_, shell_->Http(), shell_->Settings(), shell_->Browser(),
                       shell_->Login(), shell_->Progress(), shell_->Errors(), shell_->Offline(),
                       shell_->Questions(), shell_->Keyboard()}) {
  LockModule();
}

CConnect::~CConnect() { UnlockModule(); }

// IUnknown ------------------------------------------------------------------------------------

STDMETHODIMP CConnect::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  IUnknown* answer = nullptr;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, IID_IAddInCallback)) {
    // Office's calls by name land on the ribbon callbacks.
    answer = static_cast<IAddInCallback*>(this);
  } else if (IsEqualIID(iid, IID__IDTExtensibility2)) {
    answer = static_cast<_IDTExtensibility2*>(this);
  } else if (IsEqualIID(iid, IID_IRibbonExtensibility)) {
    answer = static_cast<IRibbonExtensibility*>(this);
  }
  *out = answer;
  if (!answer) return E_NOINTERFACE;
  answer->AddRef();
  return S_OK;
}

STDMETHODIMP_(ULONG) CConnect::AddRef() { return ++references_; }

STDMETHODIMP_(ULONG) CConnect::Release() {
  const ULONG remaining = --references_;
  if (remaining == 0) delete this;
  return remaining;
}

// IDispatch -----------------------------------------------------------------------------------

STDMETHODIMP CConnect::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 1;
  return S_OK;
}

STDMETHODIMP CConnect::GetTypeInfo(UINT index, LCID, ITypeInfo** info) {
  return ComBoundary([&]() -> HRESULT {
    if (!info) return E_POINTER;
    *info = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    ITypeInfo& typeInfo = CallbackTypeInfo();
    typeInfo.AddRef();
    *info = &typeInfo;
    return S_OK;
  });
}

STDMETHODIMP CConnect::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  return ComBoundary([&]() -> HRESULT {
    if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    return ::DispGetIDsOfNames(&CallbackTypeInfo(), names, count, ids);
  });
}

STDMETHODIMP CConnect::Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                              EXCEPINFO* exception, UINT* argumentError) {
  return ComBoundary([&]() -> HRESULT {
    if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    return InvokeCallback(static_cast<IAddInCallback*>(this), CallbackTypeInfo(), id, flags, params, result,
                          exception, argumentError);
  });
}

// _IDTExtensibility2 --------------------------------------------------------------------------

STDMETHODIMP CConnect::OnConnection(IDispatch* application, ext_ConnectMode, IDispatch* addInInstance,
                                    SAFEARRAY**) {
  return ComBoundary([&] {
    // Anything that is not Word's application object leaves the add-in without a document.
    ComPtr<IDispatch> word;
    if (application) {
      const HRESULT queried = application->QueryInterface(IID_WordApplication, word.PutVoid());
      if (queried == E_NOINTERFACE) {
        word.Reset();
      } else if (FAILED(queried)) {
        throw ComError(queried, kIidWordApplication);
      }
    }
    document_.SetApplication(word);
    addInInstance_ = ComPtr<IDispatch>(addInInstance);
    if (word && !events_.Connect(*word.Get())) throw ComError(hr::kFail);
  });
}

STDMETHODIMP CConnect::OnDisconnection(ext_DisconnectMode, SAFEARRAY**) {
  return ComBoundary([&] {
    if (const ComPtr<IDispatch> word = document_.Application()) events_.Disconnect(*word.Get());
    document_.SetApplication(nullptr);
    addInInstance_.Reset();
  });
}

STDMETHODIMP CConnect::OnAddInsUpdate(SAFEARRAY**) { return S_OK; }
STDMETHODIMP CConnect::OnStartupComplete(SAFEARRAY**) { return S_OK; }
STDMETHODIMP CConnect::OnBeginShutdown(SAFEARRAY**) { return S_OK; }

// IRibbonExtensibility ------------------------------------------------------------------------

// The same XML serves every ribbon Office asks for, so the ribbon id is not looked at.
STDMETHODIMP CConnect::GetCustomUI(BSTR, BSTR* ribbonXml) {
  return ComBoundary([&]() -> HRESULT {
    if (!ribbonXml) return E_POINTER;
    *ribbonXml = nullptr;
    return LoadRibbonXml(ribbonXml);
  });
}

}  // namespace quillbox::win
