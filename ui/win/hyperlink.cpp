#include "ui/win/hyperlink.h"

#include <commctrl.h>
#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>
#include <cwchar>

#include "common/win/com_boundary.h"
#include "common/win/this_module.h"
#include "common/win/wide.h"
#include "ui/link_policy.h"
#include "ui/win/anchor_colours.h"
#include "ui/win/high_contrast.h"
#include "ui/win/link_accessible.h"

namespace quillbox::win {
namespace {

constexpr UINT_PTR kSubclassId = 1;
constexpr UINT_PTR kToolId = 1;

// Static types that draw a picture or a frame rather than text: icon, black/grey/white
// rectangle and frame, owner-drawn, bitmap, enhanced metafile and the etched frames.
bool IsPictureStatic(LONG_PTR style) {
  const LONG_PTR type = style & SS_TYPEMASK;
  return (type >= SS_ICON && type <= SS_WHITEFRAME) || (type >= SS_OWNERDRAW && type <= SS_ETCHEDFRAME);
}

bool IsStaticControl(HWND window) {
  wchar_t className[16] = {};
  ::GetClassNameW(window, className, ARRAYSIZE(className));
  return _wcsicmp(className, L"static") == 0;
}

// The keys a link acts on itself; every other key keeps its meaning in the dialog (Tab,
// Escape, the buttons' access keys).
bool IsActivationKey(const MSG* message) {
  if (!message || (message->message != WM_KEYDOWN && message->message != WM_CHAR)) return false;
  return message->wParam == VK_RETURN || message->wParam == VK_SPACE;
}

std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<size_t>(::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

}  // namespace

CHyperLink::~CHyperLink() { Detach(); }

bool CHyperLink::Attach(HWND control) noexcept {
  if (!::SetWindowSubclass(control, &SubclassProcedure, kSubclassId, reinterpret_cast<DWORD_PTR>(this))) {
    return false;
  }
  window_ = control;
  return true;
}

void CHyperLink::Detach() noexcept {
  if (accessible_) {
    accessible_->Disconnect();
    accessible_->Release();
    accessible_ = nullptr;
  }
  if (!window_) return;
  ::RemoveWindowSubclass(window_, &SubclassProcedure, kSubclassId);
  window_ = nullptr;
}

void CHyperLink::Initialise() {
  if (IsStaticControl(window_)) {
    const LONG_PTR style = ::GetWindowLongPtrW(window_, GWL_STYLE);
    ::SetWindowLongPtrW(window_, GWL_STYLE, style | SS_NOTIFY);
    if (IsPictureStatic(style)) paintLabel_ = false;
  }
  cursor_ = ::LoadCursorW(nullptr, IDC_HAND);
  if (paintLabel_) CreateLinkFont();
  CreateTooltip();
  if (!label_) label_ = WindowText(window_);
  UpdateLinkRect();
  if (url_) {
    AddTooltipTool();
  } else if (label_) {
    url_ = label_;
  }
  if (paintLabel_) {
    const AnchorColours colours = ReadAnchorColours({linkColour_, visitedColour_});
    linkColour_ = colours.link;
    visitedColour_ = colours.visited;
  }
}

void CHyperLink::CreateLinkFont() {
  auto normalFont = reinterpret_cast<HGDIOBJ>(::SendMessageW(::GetParent(window_), WM_GETFONT, 0, 0));
  if (!normalFont) normalFont = ::GetStockObject(SYSTEM_FONT);
  LOGFONTW description = {};
  if (::GetObjectW(normalFont, sizeof(description), &description) == 0) return;
  description.lfUnderline = TRUE;
  linkFont_.Reset(::CreateFontIndirectW(&description));
}

void CHyperLink::CreateTooltip() {
  tooltip_.Reset(::CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr,
                                   ThisModule(), nullptr));
}

void CHyperLink::AddTooltipTool() {
  if (!tooltip_ || !url_) return;
  TTTOOLINFOW tool = {};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.hwnd = window_;
  tool.uId = kToolId;
  ::SendMessageW(tooltip_.Get(), TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  tool.rect = linkRect_;
  tool.lpszText = const_cast<wchar_t*>(url_->c_str());
  ::SendMessageW(tooltip_.Get(), TTM_ACTIVATE, TRUE, 0);
  ::SendMessageW(tooltip_.Get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void CHyperLink::SetLabel(const std::wstring& label) {
  label_ = label;
  if (window_) {
    ::SetWindowTextW(window_, label.c_str());
    UpdateLinkRect();
  }
}

void CHyperLink::SetUrl(const std::wstring& url) {
  url_ = url;
  if (window_) {
    UpdateLinkRect();
    AddTooltipTool();
  }
}

bool CHyperLink::Navigate() {
  if (!url_ || !IsOpenableLinkUrl(FromWide(*url_))) return false;
  const auto result = reinterpret_cast<INT_PTR>(
      ::ShellExecuteW(nullptr, L"open", url_->c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  if (result <= 32) return false;
  visited_ = true;
  if (window_) {
    Repaint();
    // Screen readers that follow the link hear it become "visited" (traversed).
    ::NotifyWinEvent(EVENT_OBJECT_STATECHANGE, window_, OBJID_CLIENT, CHILDID_SELF);
  }
  return true;
}

COLORREF CHyperLink::TextColour() const noexcept {
  if (!::IsWindowEnabled(window_)) return ::GetSysColor(COLOR_GRAYTEXT);
  if (CurrentHighContrast().IsOn()) return ::GetSysColor(COLOR_HOTLIGHT);
  return visited_ ? visitedColour_ : linkColour_;
}

const std::wstring& CHyperLink::Text() const noexcept {
  static const std::wstring kNothing;
  if (label_) return *label_;
  return url_ ? *url_ : kNothing;
}

UINT CHyperLink::DrawFlags() const noexcept {
  const LONG_PTR style = ::GetWindowLongPtrW(window_, GWL_STYLE);
  UINT flags = kDrawFlags;
  if ((style & SS_TYPEMASK) == SS_CENTER) flags |= DT_CENTER;
  if ((style & SS_TYPEMASK) == SS_RIGHT) flags |= DT_RIGHT;
  return flags;
}

void CHyperLink::UpdateLinkRect() {
  RECT client = {};
  ::GetClientRect(window_, &client);
  RECT text = client;
  if (HDC dc = ::GetDC(window_)) {
    HGDIOBJ oldFont = ::SelectObject(dc, linkFont_ ? linkFont_.Get() : ::GetStockObject(SYSTEM_FONT));
    ::DrawTextW(dc, Text().c_str(), -1, &text, (DrawFlags() & ~(DT_CENTER | DT_RIGHT)) | DT_CALCRECT);
    ::SelectObject(dc, oldFont);
    ::ReleaseDC(window_, dc);
  }
  text.right = std::min(text.right, client.right);
  text.bottom = std::min(text.bottom, client.bottom);
  const LONG spare = client.right - text.right;
  const LONG_PTR type = ::GetWindowLongPtrW(window_, GWL_STYLE) & SS_TYPEMASK;
  if (type == SS_CENTER) ::OffsetRect(&text, spare / 2, 0);
  if (type == SS_RIGHT) ::OffsetRect(&text, spare, 0);
  linkRect_ = text;
}

void CHyperLink::Paint(HDC dc) {
  RECT client = {};
  ::GetClientRect(window_, &client);
  auto brush = reinterpret_cast<HBRUSH>(
      ::SendMessageW(::GetParent(window_), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(window_)));
  if (brush) ::FillRect(dc, &client, brush);

  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, TextColour());

  HGDIOBJ oldFont = ::SelectObject(dc, linkFont_ ? linkFont_.Get() : ::GetStockObject(SYSTEM_FONT));
  RECT text = linkRect_;
  ::DrawTextW(dc, Text().c_str(), -1, &text, DrawFlags());
  ::SelectObject(dc, oldFont);

  if (::GetFocus() == window_) ::DrawFocusRect(dc, &linkRect_);
}

LRESULT CHyperLink::AccessibleObject(WPARAM wParam, LPARAM lParam) noexcept {
  if (static_cast<LONG>(lParam) != OBJID_CLIENT) return 0;
  if (!accessible_) accessible_ = LinkAccessible::Create(window_, *this);
  if (!accessible_) return 0;
  const LRESULT result = ::LresultFromObject(__uuidof(IAccessible), wParam, accessible_);
  return result > 0 ? result : 0;  // a failure leaves the standard answer
}

bool CHyperLink::CursorInLinkRect() const noexcept {
  POINT cursor = {};
  ::GetCursorPos(&cursor);
  ::ScreenToClient(window_, &cursor);
  return InLinkRect(cursor);
}

LRESULT CHyperLink::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  HWND window = window_;
  if (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST && tooltip_) {
    MSG relayed = {window, message, wParam, lParam, static_cast<DWORD>(::GetMessageTime()), {}};
    ::SendMessageW(tooltip_.Get(), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
  }
  const POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};

  switch (message) {
    case WM_NCHITTEST:
      return HTCLIENT;  // a static answers HTTRANSPARENT and would never see the mouse
    case WM_GETDLGCODE:
      // Enter and Space open the link; without asking for them, the dialog manager would turn
      // Enter into the default button's command before the link saw it.
      if (IsActivationKey(reinterpret_cast<const MSG*>(lParam))) return DLGC_WANTMESSAGE;
      break;
    case WM_GETOBJECT:
      if (const LRESULT object = AccessibleObject(wParam, lParam)) return object;
      break;
    case WM_PAINT:
      if (!paintLabel_) break;
      {
        PAINTSTRUCT paint = {};
        HDC dc = ::BeginPaint(window, &paint);
        Paint(dc);
        ::EndPaint(window, &paint);
      }
      return 0;
    case WM_PRINTCLIENT:
      if (!paintLabel_) break;
      Paint(reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_ERASEBKGND:
      if (!paintLabel_) break;
      return 1;  // WM_PAINT fills the background
    case WM_SETCURSOR:
      if (cursor_ && CursorInLinkRect()) {
        ::SetCursor(cursor_);
        return TRUE;
      }
      break;
    case WM_MOUSEMOVE:
      if (cursor_ && InLinkRect(point)) ::SetCursor(cursor_);
      return 0;
    case WM_LBUTTONDOWN:
      if (InLinkRect(point)) {
        ::SetFocus(window);
        ::SetCapture(window);
      }
      return 0;
    case WM_LBUTTONUP:
      if (::GetCapture() == window) {
        ::ReleaseCapture();
        if (InLinkRect(point)) Navigate();
      }
      return 0;
    case WM_CHAR:
      if (wParam == 13 || wParam == 32) {
        Navigate();
        return 0;
      }
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
      Repaint();
      break;
    case WM_SETFONT: {
      const LRESULT result = ::DefSubclassProc(window, message, wParam, lParam);
      if (lParam) Repaint();
      return result;
    }
    case WM_SIZE:
      UpdateLinkRect();
      if (tooltip_) {
        TTTOOLINFOW tool = {};
        tool.cbSize = TTTOOLINFOW_V2_SIZE;
        tool.hwnd = window;
        tool.uId = kToolId;
        tool.rect = linkRect_;
        ::SendMessageW(tooltip_.Get(), TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
      }
      break;
    case WM_DESTROY:
      // The tooltip may already be gone with the dialog that owns it.
      if (::IsWindow(tooltip_.Get())) {
        tooltip_.Reset();
      } else {
        tooltip_.Release();
      }
      break;
    case WM_NCDESTROY:
      Detach();
      break;
  }
  return ::DefSubclassProc(window, message, wParam, lParam);
}

LRESULT CALLBACK CHyperLink::SubclassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                               UINT_PTR, DWORD_PTR self) noexcept {
  LRESULT result = 0;
  const HRESULT outcome =
      ComBoundary([&] { result = reinterpret_cast<CHyperLink*>(self)->Handle(message, wParam, lParam); });
  if (FAILED(outcome)) return ::DefSubclassProc(window, message, wParam, lParam);
  return result;
}

}  // namespace quillbox::win
