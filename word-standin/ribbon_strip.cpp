#include "word-standin/ribbon_strip.h"

#include <olectl.h>

#include <commctrl.h>

#include <algorithm>

#include "word-standin/ribbon_strip_metrics.h"

namespace quillbox::standin {

using namespace strip;

namespace {

constexpr wchar_t kStripClass[] = L"QuillboxStandinRibbonStrip";
constexpr int kFirstControlId = 1000;

std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<size_t>(::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

void SetTextIfChanged(HWND window, const std::wstring& text) {
  if (window && WindowText(window) != text) ::SetWindowTextW(window, text.c_str());
}

// Menus take "&" as the mark of an access key; a label shows it as typed.
std::wstring MenuText(const std::wstring& label) {
  std::wstring text;
  for (const wchar_t c : label) {
    text += c;
    if (c == L'&') text += L'&';
  }
  return text;
}

void RegisterStripClass() {
  static const bool registered = [] {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = ::DefWindowProcW;  // replaced per window once its object exists
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kStripClass;
    return ::RegisterClassExW(&windowClass) != 0;
  }();
  (void)registered;
}

}  // namespace

UniqueMenu GalleryMenu(const std::vector<GalleryItem>& items, std::optional<long> selected) {
  UniqueMenu menu(::CreatePopupMenu());
  for (size_t i = 0; i < items.size(); ++i) {
    const std::wstring& label = items[i].label.empty() ? items[i].id : items[i].label;
    UINT flags = MF_STRING;
    if (selected && *selected == static_cast<long>(i)) flags |= MF_CHECKED;
    ::AppendMenuW(menu.Get(), flags, i + 1, MenuText(label).c_str());
  }
  return menu;
}

RibbonStrip::RibbonStrip(HWND parent, WordHost& host, HFONT font) : host_(host), font_(font) {
  RegisterStripClass();
  strip_.Reset(::CreateWindowExW(WS_EX_CONTROLPARENT, kStripClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                                 0, 0, 0, 0, parent, nullptr, ::GetModuleHandleW(nullptr), nullptr));
  ::SetWindowLongPtrW(strip_.Get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  ::SetWindowLongPtrW(strip_.Get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RibbonStrip::StripProcedure));
  INITCOMMONCONTROLSEX classes{sizeof classes, ICC_TAB_CLASSES};
  ::InitCommonControlsEx(&classes);
  tabs_.Reset(::CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 0,
                                kTabHeight, strip_.Get(), nullptr, ::GetModuleHandleW(nullptr), nullptr));
  ::SendMessageW(tabs_.Get(), WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  CreateControls();
}

RibbonStrip::~RibbonStrip() {
  // Messages sent while the controls go away must not reach a half-destroyed object.
  if (strip_) ::SetWindowLongPtrW(strip_.Get(), GWLP_USERDATA, 0);
  for (size_t i = 0; i < slots_.size(); ++i) {
    if (slots_[i].window && host_.View()->Model().Controls()[i].kind == L"editBox") {
      ::RemoveWindowSubclass(slots_[i].window.Get(), &RibbonStrip::EditProcedure, i);
    }
  }
}

void RibbonStrip::CreateControls() {
  const RibbonModel& model = host_.View()->Model();
  const auto& controls = model.Controls();
  slots_.resize(controls.size());
  children_.assign(controls.size(), {});
  placed_.assign(controls.size(), false);
  for (size_t i = 0; i < controls.size(); ++i) {
    if (controls[i].parent) children_[*controls[i].parent].push_back(i);
  }
  const HINSTANCE instance = ::GetModuleHandleW(nullptr);
  const auto make = [&](const wchar_t* windowClass, DWORD style, DWORD extendedStyle, size_t index) {
    HWND window = ::CreateWindowExW(extendedStyle, windowClass, L"", WS_CHILD | style, 0, 0, 0, 0, strip_.Get(),
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + index)),
                                    instance, nullptr);
    ::SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    return win::UniqueWindow(window);
  };
  const auto caption = [&](size_t index) {
    return make(L"STATIC", SS_LEFT | SS_CENTERIMAGE | SS_NOPREFIX, 0, index);
  };
  for (size_t i = 0; i < controls.size(); ++i) {
    const RibbonControl& control = controls[i];
    Slot& slot = slots_[i];
    if (control.kind == L"group") {
      slot.window = make(L"STATIC", SS_CENTER | SS_NOPREFIX | SS_ENDELLIPSIS, 0, i);
      slot.extra = make(L"STATIC", SS_ETCHEDVERT, 0, i);
    } else if (control.kind == L"labelControl") {
      slot.window = caption(i);
    } else if (control.kind == L"button" || control.kind == L"gallery") {
      slot.window = make(L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON | (IsLarge(control) ? BS_MULTILINE : 0), 0, i);
    } else if (control.kind == L"toggleButton") {
      slot.window = make(L"BUTTON", WS_TABSTOP | BS_AUTOCHECKBOX | BS_PUSHLIKE, 0, i);
    } else if (control.kind == L"editBox") {
      slot.window = make(L"EDIT", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, i);
      ::SetWindowSubclass(slot.window.Get(), &RibbonStrip::EditProcedure, i, reinterpret_cast<DWORD_PTR>(this));
      if (ShowsCaption(control)) slot.extra = caption(i);
    } else if (control.kind == L"dropDown") {
      slot.window = make(L"COMBOBOX", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0, i);
      if (ShowsCaption(control)) slot.extra = caption(i);
    }
  }
}

HWND RibbonStrip::ControlWindow(const std::wstring& id) const {
  const auto index = host_.View()->Model().Find(id);
  return index ? slots_[*index].window.Get() : nullptr;
}

LRESULT CALLBACK RibbonStrip::StripProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* strip = reinterpret_cast<RibbonStrip*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!strip) return ::DefWindowProcW(window, message, wParam, lParam);
  return strip->Handle(message, wParam, lParam);
}

// Enter in an edit box ends the editing, as in Office; the box keeps the focus.
LRESULT CALLBACK RibbonStrip::EditProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                            UINT_PTR control, DWORD_PTR data) {
  if (message == WM_GETDLGCODE) {
    // The window's dialog navigation would take Enter for a default button otherwise.
    const auto* key = reinterpret_cast<const MSG*>(lParam);
    const LRESULT code = ::DefSubclassProc(window, message, wParam, lParam);
    return key && key->message == WM_KEYDOWN && key->wParam == VK_RETURN ? code | DLGC_WANTMESSAGE : code;
  }
  if ((message == WM_KEYDOWN || message == WM_CHAR) && wParam == VK_RETURN) {
    if (message == WM_KEYDOWN) reinterpret_cast<RibbonStrip*>(data)->Committed(control);
    return 0;
  }
  return ::DefSubclassProc(window, message, wParam, lParam);
}

LRESULT RibbonStrip::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND: {
      const int id = LOWORD(wParam) - kFirstControlId;
      if (id < 0 || static_cast<size_t>(id) >= slots_.size()) break;
      const size_t control = static_cast<size_t>(id);
      switch (HIWORD(wParam)) {
        case BN_CLICKED:
          Pressed(control);
          break;
        case EN_KILLFOCUS:
          Committed(control);
          break;
        case CBN_SELENDOK:
          Chose(control, static_cast<long>(::SendMessageW(slots_[control].window.Get(), CB_GETCURSEL, 0, 0)));
          break;
      }
      return 0;
    }
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header->hwndFrom == tabs_.Get() && header->code == TCN_SELCHANGE) {
        currentTab_ = static_cast<size_t>(std::max<LRESULT>(0, ::SendMessageW(tabs_.Get(), TCM_GETCURSEL, 0, 0)));
        Update();
        if (changed_) changed_();
      }
      return 0;
    }
    case WM_SIZE:
      ::MoveWindow(tabs_.Get(), 0, 0, LOWORD(lParam), kTabHeight, TRUE);
      return 0;
    case WM_MENUSELECT: {
      // Command i + 1 is item i of the open gallery; 0xFFFF in the flags means the list closed.
      const long item = static_cast<long>(LOWORD(wParam)) - 1;
      if (openGallery_ && itemTip_ && HIWORD(wParam) != 0xFFFF && item >= 0) {
        const std::wstring& id = host_.View()->Model().Controls()[*openGallery_].id;
        if (const auto tip = ItemTip(id, item)) itemTip_(id, *tip);
      }
      return 0;
    }
  }
  return ::DefWindowProcW(strip_.Get(), message, wParam, lParam);
}

template <typename Action>
void RibbonStrip::Act(Action&& action) {
  // An action's dialogs take the focus from an edit box; that is not the teacher's doing.
  if (acting_) return;
  acting_ = true;
  action();
  acting_ = false;
  Update();
  if (changed_) changed_();
}

void RibbonStrip::Pressed(size_t control) {
  const RibbonControl& ribbonControl = host_.View()->Model().Controls()[control];
  if (ribbonControl.kind == L"button") {
    Act([&] { host_.Click(ribbonControl.id); });
  } else if (ribbonControl.kind == L"toggleButton") {
    Act([&] { host_.Toggle(ribbonControl.id); });
  } else if (ribbonControl.kind == L"gallery" && !acting_) {
    const ControlState& state = host_.View()->State(control);
    const UniqueMenu menu = GalleryMenu(state.items.value_or(std::vector<GalleryItem>{}), state.selectedIndex);
    RECT button{};
    ::GetWindowRect(slots_[control].window.Get(), &button);
    // Notifications stay on so that the strip hears which item is highlighted.
    openGallery_ = control;
    const int chosen = static_cast<int>(::TrackPopupMenu(menu.Get(), TPM_RETURNCMD | TPM_LEFTALIGN, button.left,
                                                         button.bottom, 0, strip_.Get(), nullptr));
    openGallery_.reset();
    if (chosen > 0) Chose(control, chosen - 1);
  }
}

std::optional<std::wstring> RibbonStrip::ItemTip(const std::wstring& galleryId, long item) const {
  const auto control = host_.View()->Model().Find(galleryId);
  if (!control || item < 0) return std::nullopt;
  const auto& items = host_.View()->State(*control).items;
  if (!items || static_cast<size_t>(item) >= items->size()) return std::nullopt;
  const GalleryItem& entry = (*items)[static_cast<size_t>(item)];
  return entry.supertip.value_or(entry.label);
}

HICON RibbonStrip::CopyItemIcon(const std::wstring& galleryId, long item) const {
  const auto control = host_.View()->Model().Find(galleryId);
  if (!control || item < 0) return nullptr;
  const auto& items = host_.View()->State(*control).items;
  if (!items || static_cast<size_t>(item) >= items->size()) return nullptr;
  const win::ComPtr<IUnknown>& image = (*items)[static_cast<size_t>(item)].image;
  win::ComPtr<IPicture> picture;
  if (!image || FAILED(image.As(IID_IPicture, picture))) return nullptr;
  SHORT type = PICTYPE_NONE;
  OLE_HANDLE handle = 0;
  if (FAILED(picture->get_Type(&type)) || type != PICTYPE_ICON || FAILED(picture->get_Handle(&handle))) return nullptr;
  return ::CopyIcon(reinterpret_cast<HICON>(static_cast<UINT_PTR>(handle)));
}

void RibbonStrip::Committed(size_t control) {
  const RibbonControl& ribbonControl = host_.View()->Model().Controls()[control];
  if (ribbonControl.kind != L"editBox" || !slots_[control].window) return;
  const std::wstring typed = WindowText(slots_[control].window.Get());
  // Office hears about the text only when it differs from what the box showed.
  if (typed == host_.View()->State(control).text.value_or(L"")) return;
  Act([&] { host_.Type(ribbonControl.id, typed); });
}

void RibbonStrip::Chose(size_t control, long item) {
  if (item < 0) return;
  const std::wstring id = host_.View()->Model().Controls()[control].id;
  Act([&] { host_.Choose(id, item); });
}

bool RibbonStrip::OnCurrentTab(size_t control) const {
  if (currentTab_ >= tabControls_.size()) return false;
  const auto& controls = host_.View()->Model().Controls();
  size_t tab = control;
  while (controls[tab].parent) tab = *controls[tab].parent;
  return tab == tabControls_[currentTab_];
}

void RibbonStrip::UpdateTabs() {
  const RibbonView& view = *host_.View();
  std::vector<size_t> tabs;
  for (size_t i = 0; i < view.Model().Controls().size(); ++i) {
    if (view.Model().Controls()[i].kind == L"tab" && view.Displayed(i)) tabs.push_back(i);
  }
  const size_t count = static_cast<size_t>(::SendMessageW(tabs_.Get(), TCM_GETITEMCOUNT, 0, 0));
  bool same = tabs == tabControls_ && count == tabs.size();
  for (size_t t = 0; same && t < tabs.size(); ++t) {
    wchar_t text[256] = L"";
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = 256;
    ::SendMessageW(tabs_.Get(), TCM_GETITEMW, t, reinterpret_cast<LPARAM>(&item));
    same = view.Label(tabs[t]).value_or(L"") == text;
  }
  if (same) return;
  ::SendMessageW(tabs_.Get(), TCM_DELETEALLITEMS, 0, 0);
  for (size_t t = 0; t < tabs.size(); ++t) {
    std::wstring label = view.Label(tabs[t]).value_or(view.Model().Controls()[tabs[t]].id);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = label.data();
    ::SendMessageW(tabs_.Get(), TCM_INSERTITEMW, t, reinterpret_cast<LPARAM>(&item));
  }
  tabControls_ = std::move(tabs);
  if (currentTab_ >= tabControls_.size()) currentTab_ = 0;
  ::SendMessageW(tabs_.Get(), TCM_SETCURSEL, currentTab_, 0);
}

void RibbonStrip::Update() {
  const RibbonView& view = *host_.View();
  const auto& controls = view.Model().Controls();
  UpdateTabs();
  for (size_t i = 0; i < slots_.size(); ++i) {
    if (slots_[i].window && view.Displayed(i)) Apply(slots_[i]);
  }
  std::fill(placed_.begin(), placed_.end(), false);
  int x = kPad;
  for (size_t i = 0; i < controls.size(); ++i) {
    if (controls[i].kind != L"group" || !view.Displayed(i) || !OnCurrentTab(i)) continue;
    x += ArrangeGroup(i, x, kTabHeight + kPad).cx + kGap;
  }
  for (size_t i = 0; i < slots_.size(); ++i) {
    for (HWND window : {slots_[i].window.Get(), slots_[i].extra.Get()}) {
      if (window && (::IsWindowVisible(window) != FALSE) != placed_[i]) {
        ::ShowWindow(window, placed_[i] ? SW_SHOWNA : SW_HIDE);
      }
    }
  }
  height_ = kTabHeight + kPad + kContentHeight + kLabelHeight + kPad;
}

void RibbonStrip::Apply(Slot& slot) {
  const size_t index = static_cast<size_t>(&slot - slots_.data());
  const RibbonView& view = *host_.View();
  const RibbonControl& control = view.Model().Controls()[index];
  const ControlState& state = view.State(index);
  Shown now;
  now.label = view.Label(index).value_or(L"");
  now.text = state.text;
  now.pressed = state.pressed.value_or(false);
  if (state.items) {
    for (const GalleryItem& item : *state.items) now.items.push_back(item.label);
  }
  now.selected = state.selectedIndex.value_or(-1);
  const Shown before = slot.shown.value_or(Shown{});
  const bool first = !slot.shown;
  HWND window = slot.window.Get();

  if (control.kind == L"gallery") {
    SetTextIfChanged(window, now.label + kGalleryArrow);
  } else if (control.kind == L"editBox") {
    // The box keeps what the teacher typed until the add-in's text is read again.
    if (first || before.text != now.text) SetTextIfChanged(window, now.text.value_or(L""));
  } else if (control.kind == L"dropDown") {
    if (first || before.items != now.items) {
      ::SendMessageW(window, CB_RESETCONTENT, 0, 0);
      for (const std::wstring& item : now.items) {
        ::SendMessageW(window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
      }
    }
    if (::SendMessageW(window, CB_GETCURSEL, 0, 0) != now.selected) {
      ::SendMessageW(window, CB_SETCURSEL, static_cast<WPARAM>(now.selected), 0);
    }
  } else {
    SetTextIfChanged(window, now.label);
  }
  if (control.kind == L"toggleButton") {
    // The check box flips itself when clicked; the ribbon's pressed state decides.
    ::SendMessageW(window, BM_SETCHECK, now.pressed ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  if ((control.kind == L"editBox" || control.kind == L"dropDown") && slot.extra) {
    SetTextIfChanged(slot.extra.Get(), now.label);
  }
  slot.shown = std::move(now);
}

}  // namespace quillbox::standin
