#include "word-standin/ribbon_view.h"

#include <oleauto.h>

#include "common/win/bstr.h"
#include "common/win/variant.h"
#include "word-standin/standin_ribbon_control.h"

namespace quillbox::standin {
namespace {

// A result converted to the type Office wants; false when it cannot be.
bool Convert(win::UniqueVariant& value, VARTYPE type) {
  return SUCCEEDED(::VariantChangeType(value.Get(), value.Get(), 0, type));
}

std::wstring Indent(int depth) { return std::wstring(static_cast<size_t>(depth) * 2, L' '); }

}  // namespace

RibbonView::RibbonView(RibbonModel model, AddinDispatch& addin, Transcript& out, win::ComPtr<IDispatch> context)
    : model_(std::move(model)),
      addin_(addin),
      out_(out),
      states_(model_.Controls().size()),
      controlObjects_(model_.Controls().size()),
      context_(std::move(context)) {}

void RibbonView::Invalidate(const std::wstring& id) {
  if (const auto index = model_.Find(id)) states_[*index] = ControlState{};
}

bool RibbonView::Visible(size_t index) const {
  const ControlState& state = states_[index];
  if (state.visible) return *state.visible;
  return model_.Controls()[index].Attribute(L"visible").value_or(L"true") != L"false";
}

bool RibbonView::Shown(size_t index) const {
  for (auto parent = model_.Controls()[index].parent; parent; parent = model_.Controls()[*parent].parent) {
    if (!Visible(*parent)) return false;
  }
  return true;
}

void RibbonView::Refresh() {
  // Document order: a group's getVisible is read before its children are considered.
  for (size_t i = 0; i < states_.size(); ++i) {
    if (!states_[i].read && Shown(i)) Read(i);
  }
}

void RibbonView::Read(size_t index) {
  const RibbonControl& control = model_.Controls()[index];
  ControlState& state = states_[index];
  state = ControlState{};
  state.read = true;
  if (const auto callback = control.Attribute(L"getVisible")) state.visible = GetFlag(*callback, index);
  if (const auto callback = control.Attribute(L"getLabel")) state.label = GetText(*callback, index);
  if (const auto callback = control.Attribute(L"getText")) state.text = GetText(*callback, index);
  if (const auto callback = control.Attribute(L"getPressed")) state.pressed = GetFlag(*callback, index);
  if (const auto callback = control.Attribute(L"getItemCount")) {
    if (const auto count = GetNumber(*callback, index)) {
      std::vector<GalleryItem> items;
      const auto idCallback = control.Attribute(L"getItemID");
      const auto labelCallback = control.Attribute(L"getItemLabel");
      const auto supertipCallback = control.Attribute(L"getItemSupertip");
      for (long item = 0; item < *count; ++item) {
        GalleryItem entry;
        if (idCallback) entry.id = GetItemText(*idCallback, index, item).value_or(L"");
        if (labelCallback) entry.label = GetItemText(*labelCallback, index, item).value_or(L"");
        if (supertipCallback) entry.supertip = GetItemText(*supertipCallback, index, item);
        items.push_back(std::move(entry));
      }
      state.items = std::move(items);
    }
  }
  if (const auto callback = control.Attribute(L"getSelectedItemIndex")) {
    state.selectedIndex = GetNumber(*callback, index);
  }
}

std::optional<std::wstring> RibbonView::Label(size_t index) const {
  const RibbonControl& control = model_.Controls()[index];
  return control.Attribute(L"getLabel") ? states_[index].label : control.Attribute(L"label");
}

std::vector<std::wstring> RibbonView::Describe() const {
  std::vector<std::wstring> lines;
  for (size_t i = 0; i < states_.size(); ++i) {
    if (!Shown(i)) continue;
    const RibbonControl& control = model_.Controls()[i];
    const ControlState& state = states_[i];
    std::wstring line = Indent(control.depth) + control.kind + L" " + control.id;
    if (const auto label = Label(i)) line += L" " + Quoted(*label);
    if (!Visible(i)) {
      lines.push_back(line + L" hidden");
      continue;
    }
    if (state.text) line += L" text=" + Quoted(*state.text);
    if (state.pressed) line += *state.pressed ? L" pressed" : L" not-pressed";
    if (state.items) line += L" items=" + std::to_wstring(state.items->size());
    if (state.selectedIndex) line += L" selected=" + std::to_wstring(*state.selectedIndex);
    lines.push_back(line);
    if (state.items) {
      for (size_t item = 0; item < state.items->size(); ++item) {
        const GalleryItem& entry = (*state.items)[item];
        std::wstring itemLine =
            Indent(control.depth + 1) + L"[" + std::to_wstring(item) + L"] " + entry.id + L" " + Quoted(entry.label);
        // A supertip that only repeats the label says nothing new.
        if (entry.supertip && *entry.supertip != entry.label) itemLine += L" supertip=" + Quoted(*entry.supertip);
        lines.push_back(std::move(itemLine));
      }
    }
  }
  return lines;
}

IDispatch* RibbonView::ControlObject(size_t index) {
  if (!controlObjects_[index]) {
    controlObjects_[index] = win::ComPtr<IDispatch>::Attach(new StandinRibbonControl(model_.Controls()[index].id, context_));
  }
  return controlObjects_[index].Get();
}

HRESULT RibbonView::Report(const std::wstring& callback, HRESULT result) {
  if (FAILED(result)) out_.Line(L"! " + callback + L" failed: " + HresultText(result));
  return result;
}

std::optional<std::wstring> RibbonView::GetText(const std::wstring& callback, size_t index) {
  win::UniqueVariant value;
  if (FAILED(Report(callback, addin_.Call(callback, {DispatchArgument(ControlObject(index))}, value.Put())))) {
    return std::nullopt;
  }
  if (value.Type() == VT_EMPTY) return std::wstring();
  if (!Convert(value, VT_BSTR)) return std::nullopt;
  return std::wstring(value.Value().bstrVal, ::SysStringLen(value.Value().bstrVal));
}

std::optional<long> RibbonView::GetNumber(const std::wstring& callback, size_t index) {
  win::UniqueVariant value;
  if (FAILED(Report(callback, addin_.Call(callback, {DispatchArgument(ControlObject(index))}, value.Put())))) {
    return std::nullopt;
  }
  if (!Convert(value, VT_I4)) return std::nullopt;
  return value.Value().lVal;
}

std::optional<bool> RibbonView::GetFlag(const std::wstring& callback, size_t index) {
  win::UniqueVariant value;
  if (FAILED(Report(callback, addin_.Call(callback, {DispatchArgument(ControlObject(index))}, value.Put())))) {
    return std::nullopt;
  }
  if (!Convert(value, VT_BOOL)) return std::nullopt;
  return value.Value().boolVal != VARIANT_FALSE;
}

std::optional<std::wstring> RibbonView::GetItemText(const std::wstring& callback, size_t index, long item) {
  win::UniqueVariant value;
  const HRESULT result =
      addin_.Call(callback, {DispatchArgument(ControlObject(index)), LongArgument(item)}, value.Put());
  if (FAILED(Report(callback, result))) return std::nullopt;
  if (value.Type() == VT_EMPTY) return std::wstring();
  if (!Convert(value, VT_BSTR)) return std::nullopt;
  return std::wstring(value.Value().bstrVal, ::SysStringLen(value.Value().bstrVal));
}

std::optional<size_t> RibbonView::Actionable(const std::wstring& id, const wchar_t* kind) {
  const auto index = model_.Find(id);
  if (!index) {
    out_.Line(L"! no control " + id);
    return std::nullopt;
  }
  const RibbonControl& control = model_.Controls()[*index];
  if (kind && control.kind != kind) {
    out_.Line(L"! " + id + L" is a " + control.kind + L", not a " + kind);
    return std::nullopt;
  }
  if (!Shown(*index) || !Visible(*index)) {
    out_.Line(L"! " + id + L" is not shown");
    return std::nullopt;
  }
  return index;
}

HRESULT RibbonView::Click(const std::wstring& id) {
  const auto index = Actionable(id, L"button");
  if (!index) return E_INVALIDARG;
  const auto callback = model_.Controls()[*index].Attribute(L"onAction");
  if (!callback) return S_OK;
  return Report(*callback, addin_.Call(*callback, {DispatchArgument(ControlObject(*index))}, nullptr));
}

// Office flips a toggle button's look at once and passes the new state.
HRESULT RibbonView::Toggle(const std::wstring& id) {
  const auto index = Actionable(id, L"toggleButton");
  if (!index) return E_INVALIDARG;
  ControlState& state = states_[*index];
  const bool pressed = !state.pressed.value_or(false);
  state.pressed = pressed;
  const auto callback = model_.Controls()[*index].Attribute(L"onAction");
  if (!callback) return S_OK;
  VARIANT_BOOL flag = pressed ? VARIANT_TRUE : VARIANT_FALSE;
  return Report(*callback,
                addin_.Call(*callback, {DispatchArgument(ControlObject(*index)), BoolArgument(&flag, form_)}, nullptr));
}

// Office passes the chosen item's id and position; a drop-down shows the choice at once.
HRESULT RibbonView::Choose(const std::wstring& id, long item) {
  const auto index = Actionable(id, nullptr);
  if (!index) return E_INVALIDARG;
  const RibbonControl& control = model_.Controls()[*index];
  ControlState& state = states_[*index];
  if (!state.items || item < 0 || item >= static_cast<long>(state.items->size())) {
    out_.Line(L"! " + id + L" shows no item " + std::to_wstring(item));
    return E_INVALIDARG;
  }
  if (control.kind == L"dropDown") state.selectedIndex = item;
  const auto callback = control.Attribute(L"onAction");
  if (!callback) return S_OK;
  win::UniqueBstr itemId = win::UniqueBstr::FromWide((*state.items)[static_cast<size_t>(item)].id);
  BSTR itemIdArgument = itemId.Get();
  return Report(*callback, addin_.Call(*callback,
                                       {DispatchArgument(ControlObject(*index)), BstrArgument(&itemIdArgument, form_),
                                        LongArgument(item)},
                                       nullptr));
}

// The edit box keeps what the teacher typed; onChange hears about it.
HRESULT RibbonView::Type(const std::wstring& id, const std::wstring& text) {
  const auto index = Actionable(id, L"editBox");
  if (!index) return E_INVALIDARG;
  states_[*index].text = text;
  const auto callback = model_.Controls()[*index].Attribute(L"onChange");
  if (!callback) return S_OK;
  win::UniqueBstr typed = win::UniqueBstr::FromWide(text);
  BSTR typedArgument = typed.Get();
  return Report(*callback, addin_.Call(*callback,
                                       {DispatchArgument(ControlObject(*index)), BstrArgument(&typedArgument, form_)},
                                       nullptr));
}

}  // namespace quillbox::standin
