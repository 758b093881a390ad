#pragma once
// What a screen reader sees of a CHyperLink: the standard accessible object of its window (a
// static control reports "client" and no action) with the role link, the link's text as name,
// the states focusable and linked (focused, traversed, unavailable as they apply), the URL as
// value and a default action that opens it. Everything about position and navigation comes
// from the standard object, so the link keeps its place among the dialog's controls.
//
// The object may outlive the control (a client holds a reference): once the control is gone it
// answers every call with CO_E_OBJNOTCONNECTED.

#include <windows.h>

#include <oleacc.h>

#include <atomic>

#include "common/win/com_ptr.h"

namespace quillbox::win {

class CHyperLink;

class LinkAccessible final : public IAccessible {
 public:
  // A new object with one reference, or null when the standard object cannot be made.
  static LinkAccessible* Create(HWND window, CHyperLink& link) noexcept;
  // Called by the link when its window goes away.
  void Disconnect() noexcept;

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;
  // IDispatch: not offered; clients use the IAccessible methods.
  STDMETHODIMP GetTypeInfoCount(UINT* count) override;
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
  STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override;
  // IAccessible: what makes it a link.
  STDMETHODIMP get_accName(VARIANT child, BSTR* name) override;
  STDMETHODIMP get_accValue(VARIANT child, BSTR* value) override;
  STDMETHODIMP get_accRole(VARIANT child, VARIANT* role) override;
  STDMETHODIMP get_accState(VARIANT child, VARIANT* state) override;
  STDMETHODIMP get_accDefaultAction(VARIANT child, BSTR* action) override;
  STDMETHODIMP accDoDefaultAction(VARIANT child) override;
  // IAccessible: as the standard object answers.
  STDMETHODIMP get_accParent(IDispatch** parent) override;
  STDMETHODIMP get_accChildCount(long* count) override;
  STDMETHODIMP get_accChild(VARIANT child, IDispatch** object) override;
  STDMETHODIMP get_accDescription(VARIANT child, BSTR* description) override;
  STDMETHODIMP get_accHelp(VARIANT child, BSTR* help) override;
  STDMETHODIMP get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override;
  STDMETHODIMP get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
  STDMETHODIMP get_accFocus(VARIANT* focus) override;
  STDMETHODIMP get_accSelection(VARIANT* selection) override;
  STDMETHODIMP accSelect(long flags, VARIANT child) override;
  STDMETHODIMP accLocation(long* left, long* top, long* width, long* height, VARIANT child) override;
  STDMETHODIMP accNavigate(long direction, VARIANT start, VARIANT* end) override;
  STDMETHODIMP accHitTest(long left, long top, VARIANT* child) override;
  STDMETHODIMP put_accName(VARIANT, BSTR) override;
  STDMETHODIMP put_accValue(VARIANT, BSTR) override;

 private:
  LinkAccessible(HWND window, CHyperLink& link, ComPtr<IAccessible> standard) noexcept;
  // S_OK when the link is still there and child names the link itself.
  HRESULT Check(const VARIANT& child) const noexcept;

  std::atomic<ULONG> references_{1};
  HWND window_;
  CHyperLink* link_;  // null once disconnected
  ComPtr<IAccessible> standard_;
};

}  // namespace quillbox::win
