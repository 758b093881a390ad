#pragma once
// CConnect, the add-in object Word creates: the add-in connection interface
// (_IDTExtensibility2), the ribbon's XML source (IRibbonExtensibility) and the ribbon
// callbacks (IAddInCallback, dual, answered by name from the type library). It owns the
// add-in's core and the Word and Office pointers the core reaches them through. Apartment
// threaded: every call arrives on Word's user-interface thread, so the count is not atomic.

#include <memory>
#include <utility>

#include "addin/addin_core.h"
#include "addin/win/application_event_sink.h"
#include "addin/win/host_ports.h"
#include "addin/win/ribbon_ui_target.h"
#include "addin/win/word_selection_target.h"
#include "common/win/com_boundary.h"
#include "office_interfaces.h"
#include "quillbox_addin.h"

namespace quillbox::win {

class CConnect final : public _IDTExtensibility2, public IRibbonExtensibility, public IAddInCallback {
 public:
  // Creates an object with the given shell ports and queries it for iid; the object is
  // destroyed again when the query fails.
  static HRESULT Create(std::unique_ptr<ShellPorts> ports, REFIID iid, void** out);

  CConnect(const CConnect&) = delete;
  CConnect& operator=(const CConnect&) = delete;

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;

  // IDispatch, shared by the three dual interfaces: it describes IAddInCallback.
  STDMETHODIMP GetTypeInfoCount(UINT* count) override;
  STDMETHODIMP GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
  STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) override;
  STDMETHODIMP Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params, VARIANT* result,
                      EXCEPINFO* exception, UINT* argumentError) override;

  // _IDTExtensibility2
  STDMETHODIMP OnConnection(IDispatch* application, ext_ConnectMode mode, IDispatch* addInInstance,
                            SAFEARRAY** custom) override;
  STDMETHODIMP OnDisconnection(ext_DisconnectMode mode, SAFEARRAY** custom) override;
  STDMETHODIMP OnAddInsUpdate(SAFEARRAY** custom) override;
  STDMETHODIMP OnStartupComplete(SAFEARRAY** custom) override;
  STDMETHODIMP OnBeginShutdown(SAFEARRAY** custom) override;

  // IRibbonExtensibility
  STDMETHODIMP GetCustomUI(BSTR ribbonId, BSTR* ribbonXml) override;

  // IAddInCallback: the ribbon callbacks, in the order of the interface.
  STDMETHODIMP RibbonLoaded(IDispatch* ribbon) override;
  STDMETHODIMP LogIn(IDispatch* ribbon) override;
  STDMETHODIMP VisitWebsite(IDispatch* ribbon) override;
  STDMETHODIMP GetItemCountComment(IDispatch* control, int* count) override;
  STDMETHODIMP GetItemLabelComment(IDispatch* control, LONG index, BSTR* label) override;
  STDMETHODIMP GetItemIDComment(IDispatch* control, LONG index, BSTR* id) override;
  STDMETHODIMP GetSelectedItemIndexComment(IDispatch* control, LONG* index) override;
  STDMETHODIMP SelecteItemChangedComment(IDispatch* control, BSTR* selectedId, LONG index) override;
  STDMETHODIMP GetVisibleComments(IDispatch* control, VARIANT_BOOL* visible) override;
  STDMETHODIMP GetLabelLogIn(IDispatch* control, BSTR* label) override;
  STDMETHODIMP GetTextName(IDispatch* control, BSTR* text) override;
  STDMETHODIMP OnChangeName(IDispatch* control, BSTR* text) override;
  STDMETHODIMP GetItemCountSubject(IDispatch* control, int* count) override;
  STDMETHODIMP GetItemLabelSubject(IDispatch* control, LONG index, BSTR* label) override;
  STDMETHODIMP GetItemIDSubject(IDispatch* control, LONG index, BSTR* id) override;
  STDMETHODIMP GetSelectedItemIndexSubject(IDispatch* control, LONG* index) override;
  STDMETHODIMP SelecteItemChangedSubject(IDispatch* control, BSTR* selectedId, LONG index) override;
  STDMETHODIMP GetPressedBoy(IDispatch* control, VARIANT_BOOL* pressed) override;
  STDMETHODIMP GetPressedGirl(IDispatch* control, VARIANT_BOOL* pressed) override;
  STDMETHODIMP PressBoy(IDispatch* control, VARIANT_BOOL* pressed) override;
  STDMETHODIMP PressGirl(IDispatch* control, VARIANT_BOOL* pressed) override;
  STDMETHODIMP GetItemCountCategory(IDispatch* control, int* count) override;
  STDMETHODIMP GetItemLabelCategory(IDispatch* control, LONG index, BSTR* label) override;
  STDMETHODIMP GetItemIDCategory(IDispatch* control, LONG index, BSTR* id) override;
  STDMETHODIMP GetSelectedItemIndexCategory(IDispatch* control, LONG* index) override;
  STDMETHODIMP SelecteItemChangedCategory(IDispatch* control, BSTR* selectedId, LONG index) override;
  STDMETHODIMP GetLabelCategory(IDispatch* control, BSTR* label) override;
  STDMETHODIMP EditComments(IDispatch* ribbon) override;
  STDMETHODIMP GetPressedThey(IDispatch* control, VARIANT_BOOL* pressed) override;
  STDMETHODIMP PressThey(IDispatch* control, VARIANT_BOOL* pressed) override;
  STDMETHODIMP GetItemSupertipComment(IDispatch* control, LONG index, BSTR* supertip) override;

  // For tests: the core behind the callbacks, and whether the ribbon is held.
  const AddinCore& Core() const noexcept { return core_; }
  bool HasRibbon() const noexcept { return ribbon_.HasRibbon(); }

 private:
  explicit CConnect(std::unique_ptr<ShellPorts> ports);
  ~CConnect();

  // Runs a callback behind the exception boundary while holding a reference of the object's
  // own: Word's last release, made from another window while a dialog of this callback is up,
  // then frees the object only once the callback has returned.
  template <typename Body>
  HRESULT Callback(Body&& body) {
    AddRef();
    const HRESULT result = ComBoundary(std::forward<Body>(body));
    Release();  // may destroy the object: nothing of it is touched after this
    return result;
  }

  // The Word window whose ribbon the control belongs to (see DialogOwnerFor).
  WindowHandle OwnerFor(IDispatch* control) const noexcept;

  ULONG references_ = 0;
  std::unique_ptr<ShellPorts> shell_;
  RibbonUiTarget ribbon_;
  WordSelectionTarget document_;
  ComPtr<IDispatch> addInInstance_;
  ApplicationEventSink events_;
  AddinCore core_;
};

}  // namespace quillbox::win
