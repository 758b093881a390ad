// The 31 ribbon callbacks of CConnect. Each forwards to the core inside Callback, so that a
// failure of Word, Office or memory comes back as the callback's HRESULT and never as an
// exception, and the object outlives the call. An action passes on the Word window whose
// ribbon was used, which owns the action's dialogs. Strings go out as new BSTRs (a null BSTR for "no value"); text arguments arrive
// as a pointer to a BSTR, where a null pointer or a null BSTR is the empty string.

#include <optional>
#include <string>

#include "addin/win/connect.h"
#include "addin/win/dialog_owner.h"
#include "common/win/bstr.h"
#include "common/win/com_boundary.h"

namespace quillbox::win {
namespace {

template <typename T>
T& Required(T* out) {
  if (!out) throw ComError(hr::kPointer);
  return *out;
}

void PutText(BSTR* out, const std::u16string& text) {
  BSTR& target = Required(out);
  target = nullptr;
  target = UniqueBstr::FromText(text).Release();
}

void PutOptionalText(BSTR* out, const std::optional<std::u16string>& text) {
  BSTR& target = Required(out);
  target = nullptr;
  if (text) target = UniqueBstr::FromText(*text).Release();
}

void PutFlag(VARIANT_BOOL* out, bool flag) { Required(out) = flag ? VARIANT_TRUE : VARIANT_FALSE; }

std::u16string TextArgument(const BSTR* text) { return text ? UniqueBstr::TextOf(*text) : std::u16string(); }

}  // namespace

WindowHandle CConnect::OwnerFor(IDispatch* control) const noexcept {
  return DialogOwnerFor(control, document_.Application().Get());
}

STDMETHODIMP CConnect::RibbonLoaded(IDispatch* ribbon) {
  return Callback([&] {
    // An object that is not Office's ribbon leaves the add-in without one.
    ComPtr<IRibbonUI> ribbonUi;
    if (ribbon) {
      const HRESULT queried = ribbon->QueryInterface(IID_IRibbonUI, ribbonUi.PutVoid());
      if (queried == E_NOINTERFACE) {
        ribbonUi.Reset();
      } else if (FAILED(queried)) {
        throw ComError(queried, kIidRibbonUI);
      }
    }
    ribbon_.Reset(std::move(ribbonUi));
    core_.RibbonLoaded();
  });
}

STDMETHODIMP CConnect::LogIn(IDispatch* control) {
  return Callback([&] { core_.LogIn(OwnerFor(control)); });
}

STDMETHODIMP CConnect::VisitWebsite(IDispatch* control) {
  return Callback([&] { core_.VisitWebsite(OwnerFor(control)); });
}

STDMETHODIMP CConnect::EditComments(IDispatch* control) {
  return Callback([&] { core_.EditComments(OwnerFor(control)); });
}

// Comment gallery -----------------------------------------------------------------------------

STDMETHODIMP CConnect::GetItemCountComment(IDispatch*, int* count) {
  return Callback([&] { Required(count) = core_.GetItemCountComment(); });
}

STDMETHODIMP CConnect::GetItemLabelComment(IDispatch*, LONG index, BSTR* label) {
  return Callback([&] { PutOptionalText(label, core_.GetItemLabelComment(index)); });
}

STDMETHODIMP CConnect::GetItemIDComment(IDispatch*, LONG index, BSTR* id) {
  return Callback([&] { PutOptionalText(id, core_.GetItemIDComment(index)); });
}

STDMETHODIMP CConnect::GetItemSupertipComment(IDispatch*, LONG index, BSTR* supertip) {
  return Callback([&] { PutOptionalText(supertip, core_.GetItemSupertipComment(index)); });
}

STDMETHODIMP CConnect::GetSelectedItemIndexComment(IDispatch*, LONG* index) {
  return Callback([&] { Required(index) = core_.GetSelectedItemIndexComment(); });
}

STDMETHODIMP CConnect::SelecteItemChangedComment(IDispatch* control, BSTR*, LONG index) {
  return Callback([&] { core_.SelecteItemChangedComment(index, OwnerFor(control)); });
}

// Account, pupil name and pronoun set --------------------------------------------------------------

STDMETHODIMP CConnect::GetVisibleComments(IDispatch*, VARIANT_BOOL* visible) {
  return Callback([&] { PutFlag(visible, core_.GetVisibleComments()); });
}

STDMETHODIMP CConnect::GetLabelLogIn(IDispatch*, BSTR* label) {
  return Callback([&] { PutText(label, core_.GetLabelLogIn()); });
}

STDMETHODIMP CConnect::GetTextName(IDispatch*, BSTR* text) {
  return Callback([&] { PutText(text, core_.GetTextName()); });
}

STDMETHODIMP CConnect::OnChangeName(IDispatch* control, BSTR* text) {
  return Callback([&] { core_.OnChangeName(TextArgument(text), OwnerFor(control)); });
}

STDMETHODIMP CConnect::GetPressedBoy(IDispatch*, VARIANT_BOOL* pressed) {
  return Callback([&] { PutFlag(pressed, core_.GetPressedBoy()); });
}

STDMETHODIMP CConnect::GetPressedGirl(IDispatch*, VARIANT_BOOL* pressed) {
  return Callback([&] { PutFlag(pressed, core_.GetPressedGirl()); });
}

STDMETHODIMP CConnect::GetPressedThey(IDispatch*, VARIANT_BOOL* pressed) {
  return Callback([&] { PutFlag(pressed, core_.GetPressedThey()); });
}

// The toggles set the pronoun set whatever state Office reports for them.
STDMETHODIMP CConnect::PressBoy(IDispatch* control, VARIANT_BOOL*) {
  return Callback([&] { core_.PressBoy(OwnerFor(control)); });
}

STDMETHODIMP CConnect::PressGirl(IDispatch* control, VARIANT_BOOL*) {
  return Callback([&] { core_.PressGirl(OwnerFor(control)); });
}

STDMETHODIMP CConnect::PressThey(IDispatch* control, VARIANT_BOOL*) {
  return Callback([&] { core_.PressThey(OwnerFor(control)); });
}

// Subject drop-down ---------------------------------------------------------------------------

STDMETHODIMP CConnect::GetItemCountSubject(IDispatch*, int* count) {
  return Callback([&] { Required(count) = core_.GetItemCountSubject(); });
}

STDMETHODIMP CConnect::GetItemLabelSubject(IDispatch*, LONG index, BSTR* label) {
  return Callback([&] { PutOptionalText(label, core_.GetItemLabelSubject(index)); });
}

STDMETHODIMP CConnect::GetItemIDSubject(IDispatch*, LONG index, BSTR* id) {
  return Callback([&] { PutOptionalText(id, core_.GetItemIDSubject(index)); });
}

STDMETHODIMP CConnect::GetSelectedItemIndexSubject(IDispatch*, LONG* index) {
  return Callback([&] { Required(index) = core_.GetSelectedItemIndexSubject(); });
}

STDMETHODIMP CConnect::SelecteItemChangedSubject(IDispatch* control, BSTR*, LONG index) {
  return Callback([&] { core_.SelecteItemChangedSubject(index, OwnerFor(control)); });
}

// Comment-group gallery -----------------------------------------------------------------------

STDMETHODIMP CConnect::GetItemCountCategory(IDispatch*, int* count) {
  return Callback([&] { Required(count) = core_.GetItemCountCategory(); });
}

STDMETHODIMP CConnect::GetItemLabelCategory(IDispatch*, LONG index, BSTR* label) {
  return Callback([&] { PutOptionalText(label, core_.GetItemLabelCategory(index)); });
}

STDMETHODIMP CConnect::GetItemIDCategory(IDispatch*, LONG index, BSTR* id) {
  return Callback([&] { PutOptionalText(id, core_.GetItemIDCategory(index)); });
}

STDMETHODIMP CConnect::GetSelectedItemIndexCategory(IDispatch*, LONG* index) {
  return Callback([&] { Required(index) = core_.GetSelectedItemIndexCategory(); });
}

STDMETHODIMP CConnect::SelecteItemChangedCategory(IDispatch* control, BSTR*, LONG index) {
  return Callback([&] { core_.SelecteItemChangedCategory(index, OwnerFor(control)); });
}

STDMETHODIMP CConnect::GetLabelCategory(IDispatch*, BSTR* label) {
  return Callback([&] { PutText(label, core_.GetLabelCategory()); });
}

}  // namespace quillbox::win
