#include "ui/win/text_fit.h"

namespace quillbox::win {
namespace {

// The control's rectangle in its dialog's client coordinates.
RECT RectInParent(HWND control) {
  RECT rect = {};
  ::GetWindowRect(control, &rect);
  ::MapWindowPoints(nullptr, ::GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

void Resize(HWND window, LONG width, LONG height) {
  ::SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

int MissingHeight(HWND control, const std::wstring& text, UINT flags) noexcept {
  RECT client = {};
  ::GetClientRect(control, &client);
  RECT needed = client;
  HDC dc = ::GetDC(control);
  if (!dc) return 0;
  auto font = reinterpret_cast<HGDIOBJ>(::SendMessageW(control, WM_GETFONT, 0, 0));
  HGDIOBJ oldFont = ::SelectObject(dc, font ? font : ::GetStockObject(SYSTEM_FONT));
  ::DrawTextW(dc, text.c_str(), -1, &needed, flags | DT_CALCRECT);
  ::SelectObject(dc, oldFont);
  ::ReleaseDC(control, dc);
  return needed.bottom > client.bottom ? static_cast<int>(needed.bottom - client.bottom) : 0;
}

void GrowDialogAt(HWND dialog, HWND control, std::initializer_list<HWND> below, int pixels) noexcept {
  if (pixels <= 0) return;
  const RECT grown = RectInParent(control);
  Resize(control, grown.right - grown.left, grown.bottom - grown.top + pixels);
  for (HWND moved : below) {
    const RECT rect = RectInParent(moved);
    ::SetWindowPos(moved, nullptr, rect.left, rect.top + pixels, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  RECT frame = {};
  ::GetWindowRect(dialog, &frame);
  Resize(dialog, frame.right - frame.left, frame.bottom - frame.top + pixels);
}

}  // namespace quillbox::win
