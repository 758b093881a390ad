// The 34 ribbon callbacks of CConnect. Each forwards to the core inside ComBoundary, so that a
// failure of Word, Office or memory comes back as the callback's HRESULT and never as an
// exception. Strings go out as new BSTRs (a null BSTR for "no value"); text arguments arrive
// as a pointer to a BSTR, where a null pointer or a null BSTR is the empty string.

#include <optional>
#include <string>

#include "addin/win/connect.h"
#include "addin/win/tick_picture.h"
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

STDMETHODIMP CConnect::RibbonLoaded(IDispatch* ribbon) {
  return ComBoundary([&] {
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

STDMETHODIMP CConnect::LogIn(IDispatch*) {
  return ComBoundary([&] { core_.LogIn(); });
}

STDMETHODIMP CConnect::VisitWebsite(IDispatch*) {
  return ComBoundary([&] { core_.VisitWebsite(); });
}

STDMETHODIMP CConnect::EditComments(IDispatch*) {
  return ComBoundary([&] { core_.EditComments(); });
}

// Comment gallery -----------------------------------------------------------------------------

STDMETHODIMP CConnect::GetItemCountComment(IDispatch*, int* count) {
  return ComBoundary([&] { Required(count) = core_.GetItemCountComment(); });
}

STDMETHODIMP CConnect::GetItemLabelComment(IDispatch*, LONG index, BSTR* label) {
  return ComBoundary([&] { PutOptionalText(label, core_.GetItemLabelComment(index)); });
}

STDMETHODIMP CConnect::GetItemIDComment(IDispatch*, LONG index, BSTR* id) {
  return ComBoundary([&] { PutOptionalText(id, core_.GetItemIDComment(index)); });
}

STDMETHODIMP CConnect::GetItemSupertipComment(IDispatch*, LONG index, BSTR* supertip) {
  return ComBoundary([&] { PutOptionalText(supertip, core_.GetItemSupertipComment(index)); });
}

STDMETHODIMP CConnect::GetEnabledComment(IDispatch*, VARIANT_BOOL* enabled) {
  return ComBoundary([&] { PutFlag(enabled, core_.GetEnabledComment()); });
}

STDMETHODIMP CConnect::GetSupertipComment(IDispatch*, BSTR* supertip) {
  return ComBoundary([&] { PutText(supertip, core_.GetSupertipComment()); });
}

// The tick for a comment already written for the pupil; no picture (null) for the others.
STDMETHODIMP CConnect::GetItemImageComment(IDispatch*, LONG index, IPictureDisp** image) {
  return ComBoundary([&] {
    IPictureDisp*& target = Required(image);
    target = nullptr;
    if (core_.GetItemImageComment(index)) target = NewTickPicture();
  });
}

STDMETHODIMP CConnect::GetSelectedItemIndexComment(IDispatch*, LONG* index) {
  return ComBoundary([&] { Required(index) = core_.GetSelectedItemIndexComment(); });
}

STDMETHODIMP CConnect::SelecteItemChangedComment(IDispatch*, BSTR*, LONG index) {
  return ComBoundary([&] { core_.SelecteItemChangedComment(index); });
}

// Account, pupil name and pronoun set --------------------------------------------------------------

STDMETHODIMP CConnect::GetVisibleComments(IDispatch*, VARIANT_BOOL* visible) {
  return ComBoundary([&] { PutFlag(visible, core_.GetVisibleComments()); });
}

STDMETHODIMP CConnect::GetLabelLogIn(IDispatch*, BSTR* label) {
  return ComBoundary([&] { PutText(label, core_.GetLabelLogIn()); });
}

STDMETHODIMP CConnect::GetTextName(IDispatch*, BSTR* text) {
  return ComBoundary([&] { PutText(text, core_.GetTextName()); });
}

STDMETHODIMP CConnect::OnChangeName(IDispatch*, BSTR* text) {
  return ComBoundary([&] { core_.OnChangeName(TextArgument(text)); });
}

STDMETHODIMP CConnect::GetPressedBoy(IDispatch*, VARIANT_BOOL* pressed) {
  return ComBoundary([&] { PutFlag(pressed, core_.GetPressedBoy()); });
}

STDMETHODIMP CConnect::GetPressedGirl(IDispatch*, VARIANT_BOOL* pressed) {
  return ComBoundary([&] { PutFlag(pressed, core_.GetPressedGirl()); });
}

STDMETHODIMP CConnect::GetPressedThey(IDispatch*, VARIANT_BOOL* pressed) {
  return ComBoundary([&] { PutFlag(pressed, core_.GetPressedThey()); });
}

// The toggles set the pronoun set whatever state Office reports for them.
STDMETHODIMP CConnect::PressBoy(IDispatch*, VARIANT_BOOL*) {
  return ComBoundary([&] { core_.PressBoy(); });
}

STDMETHODIMP CConnect::PressGirl(IDispatch*, VARIANT_BOOL*) {
  return ComBoundary([&] { core_.PressGirl(); });
}

STDMETHODIMP CConnect::PressThey(IDispatch*, VARIANT_BOOL*) {
  return ComBoundary([&] { core_.PressThey(); });
}

// Subject drop-down ---------------------------------------------------------------------------

STDMETHODIMP CConnect::GetItemCountSubject(IDispatch*, int* count) {
  return ComBoundary([&] { Required(count) = core_.GetItemCountSubject(); });
}

STDMETHODIMP CConnect::GetItemLabelSubject(IDispatch*, LONG index, BSTR* label) {
  return ComBoundary([&] { PutOptionalText(label, core_.GetItemLabelSubject(index)); });
}

STDMETHODIMP CConnect::GetItemIDSubject(IDispatch*, LONG index, BSTR* id) {
  return ComBoundary([&] { PutOptionalText(id, core_.GetItemIDSubject(index)); });
}

STDMETHODIMP CConnect::GetSelectedItemIndexSubject(IDispatch*, LONG* index) {
  return ComBoundary([&] { Required(index) = core_.GetSelectedItemIndexSubject(); });
}

STDMETHODIMP CConnect::SelecteItemChangedSubject(IDispatch*, BSTR*, LONG index) {
  return ComBoundary([&] { core_.SelecteItemChangedSubject(index); });
}

// Comment-group gallery -----------------------------------------------------------------------

STDMETHODIMP CConnect::GetItemCountCategory(IDispatch*, int* count) {
  return ComBoundary([&] { Required(count) = core_.GetItemCountCategory(); });
}

STDMETHODIMP CConnect::GetItemLabelCategory(IDispatch*, LONG index, BSTR* label) {
  return ComBoundary([&] { PutOptionalText(label, core_.GetItemLabelCategory(index)); });
}

STDMETHODIMP CConnect::GetItemIDCategory(IDispatch*, LONG index, BSTR* id) {
  return ComBoundary([&] { PutOptionalText(id, core_.GetItemIDCategory(index)); });
}

STDMETHODIMP CConnect::GetSelectedItemIndexCategory(IDispatch*, LONG* index) {
  return ComBoundary([&] { Required(index) = core_.GetSelectedItemIndexCategory(); });
}

STDMETHODIMP CConnect::SelecteItemChangedCategory(IDispatch*, BSTR*, LONG index) {
  return ComBoundary([&] { core_.SelecteItemChangedCategory(index); });
}

STDMETHODIMP CConnect::GetLabelCategory(IDispatch*, BSTR* label) {
  return ComBoundary([&] { PutText(label, core_.GetLabelCategory()); });
}

}  // namespace quillbox::win
