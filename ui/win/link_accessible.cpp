#include "ui/win/link_accessible.h"

#include <new>

#include "common/win/bstr.h"
#include "common/win/com_boundary.h"
#include "ui/win/hyperlink.h"

namespace quillbox::win {
namespace {

// The name Windows gives the default action of a web link.
constexpr wchar_t kDefaultAction[] = L"Jump";

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

HRESULT CopyText(const std::wstring& text, BSTR* out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  return ComBoundary([&] { *out = UniqueBstr::FromWide(text).Release(); });
}

}  // namespace

LinkAccessible* LinkAccessible::Create(HWND window, CHyperLink& link) noexcept {
  ComPtr<IAccessible> standard;
  if (FAILED(::CreateStdAccessibleObject(window, OBJID_CLIENT, __uuidof(IAccessible), standard.PutVoid()))) {
    return nullptr;
  }
  return new (std::nothrow) LinkAccessible(window, link, std::move(standard));
}

LinkAccessible::LinkAccessible(HWND window, CHyperLink& link, ComPtr<IAccessible> standard) noexcept
    : window_(window), link_(&link), standard_(std::move(standard)) {}

void LinkAccessible::Disconnect() noexcept {
  link_ = nullptr;
  standard_.Reset();
}

HRESULT LinkAccessible::Check(const VARIANT& child) const noexcept {
  if (!link_) return CO_E_OBJNOTCONNECTED;
  return IsSelf(child) ? S_OK : E_INVALIDARG;
}

STDMETHODIMP LinkAccessible::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IDispatch || iid == __uuidof(IAccessible)) {
    *object = static_cast<IAccessible*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) LinkAccessible::AddRef() { return ++references_; }

STDMETHODIMP_(ULONG) LinkAccessible::Release() {
  const ULONG left = --references_;
  if (left == 0) delete this;
  return left;
}

STDMETHODIMP LinkAccessible::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}
STDMETHODIMP LinkAccessible::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  if (info) *info = nullptr;
  return E_NOTIMPL;
}
STDMETHODIMP LinkAccessible::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return E_NOTIMPL; }
STDMETHODIMP LinkAccessible::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) {
  return E_NOTIMPL;
}

STDMETHODIMP LinkAccessible::get_accName(VARIANT child, BSTR* name) {
  if (const HRESULT checked = Check(child); FAILED(checked)) return checked;
  return CopyText(link_->Text(), name);
}

STDMETHODIMP LinkAccessible::get_accValue(VARIANT child, BSTR* value) {
  if (const HRESULT checked = Check(child); FAILED(checked)) return checked;
  return CopyText(link_->Url().value_or(std::wstring()), value);
}

STDMETHODIMP LinkAccessible::get_accRole(VARIANT child, VARIANT* role) {
  if (!role) return E_POINTER;
  ::VariantInit(role);
  if (const HRESULT checked = Check(child); FAILED(checked)) return checked;
  role->vt = VT_I4;
  role->lVal = ROLE_SYSTEM_LINK;
  return S_OK;
}

STDMETHODIMP LinkAccessible::get_accState(VARIANT child, VARIANT* state) {
  if (!state) return E_POINTER;
  ::VariantInit(state);
  if (const HRESULT checked = Check(child); FAILED(checked)) return checked;
  long flags = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_LINKED;
  if (::GetFocus() == window_) flags |= STATE_SYSTEM_FOCUSED;
  if (link_->Visited()) flags |= STATE_SYSTEM_TRAVERSED;
  if (!::IsWindowEnabled(window_)) flags |= STATE_SYSTEM_UNAVAILABLE;
  if (!::IsWindowVisible(window_)) flags |= STATE_SYSTEM_INVISIBLE;
  state->vt = VT_I4;
  state->lVal = flags;
  return S_OK;
}

STDMETHODIMP LinkAccessible::get_accDefaultAction(VARIANT child, BSTR* action) {
  if (const HRESULT checked = Check(child); FAILED(checked)) return checked;
  return CopyText(kDefaultAction, action);
}

STDMETHODIMP LinkAccessible::accDoDefaultAction(VARIANT child) {
  if (const HRESULT checked = Check(child); FAILED(checked)) return checked;
  if (!::IsWindowEnabled(window_) || !::IsWindowVisible(window_)) return DISP_E_MEMBERNOTFOUND;
  return ComBoundary([&] { return link_->Navigate() ? S_OK : E_FAIL; });
}

// The rest is the standard object's answer, for as long as the window is there.
#define QUILLBOX_FORWARD(call)                  \
  if (!link_) return CO_E_OBJNOTCONNECTED;      \
  return standard_->call

STDMETHODIMP LinkAccessible::get_accParent(IDispatch** parent) { QUILLBOX_FORWARD(get_accParent(parent)); }
STDMETHODIMP LinkAccessible::get_accChildCount(long* count) { QUILLBOX_FORWARD(get_accChildCount(count)); }
STDMETHODIMP LinkAccessible::get_accChild(VARIANT child, IDispatch** object) {
  QUILLBOX_FORWARD(get_accChild(child, object));
}
STDMETHODIMP LinkAccessible::get_accDescription(VARIANT child, BSTR* description) {
  QUILLBOX_FORWARD(get_accDescription(child, description));
}
STDMETHODIMP LinkAccessible::get_accHelp(VARIANT child, BSTR* help) { QUILLBOX_FORWARD(get_accHelp(child, help)); }
STDMETHODIMP LinkAccessible::get_accHelpTopic(BSTR* file, VARIANT child, long* topic) {
  QUILLBOX_FORWARD(get_accHelpTopic(file, child, topic));
}
STDMETHODIMP LinkAccessible::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
  QUILLBOX_FORWARD(get_accKeyboardShortcut(child, shortcut));
}
STDMETHODIMP LinkAccessible::get_accFocus(VARIANT* focus) { QUILLBOX_FORWARD(get_accFocus(focus)); }
STDMETHODIMP LinkAccessible::get_accSelection(VARIANT* selection) { QUILLBOX_FORWARD(get_accSelection(selection)); }
STDMETHODIMP LinkAccessible::accSelect(long flags, VARIANT child) { QUILLBOX_FORWARD(accSelect(flags, child)); }
STDMETHODIMP LinkAccessible::accLocation(long* left, long* top, long* width, long* height, VARIANT child) {
  QUILLBOX_FORWARD(accLocation(left, top, width, height, child));
}
STDMETHODIMP LinkAccessible::accNavigate(long direction, VARIANT start, VARIANT* end) {
  QUILLBOX_FORWARD(accNavigate(direction, start, end));
}
STDMETHODIMP LinkAccessible::accHitTest(long left, long top, VARIANT* child) {
  QUILLBOX_FORWARD(accHitTest(left, top, child));
}

#undef QUILLBOX_FORWARD

STDMETHODIMP LinkAccessible::put_accName(VARIANT, BSTR) { return E_NOTIMPL; }
STDMETHODIMP LinkAccessible::put_accValue(VARIANT, BSTR) { return E_NOTIMPL; }

}  // namespace quillbox::win
