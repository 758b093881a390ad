#pragma once
// CHyperLink turns a static text control of a dialog into a web link: underlined text in link
// colours (COLOR_HOTLIGHT in high contrast), a hand cursor, a tooltip with the URL, keyboard
// focus, and the URL opened through the shell on a click, Enter or Space. Screen readers see a
// link with an action that opens it (LinkAccessible). Only http and https URLs are ever handed
// to the shell.
//
// The control is subclassed with SetWindowSubclass and this object is the subclass's reference
// data, so it must outlive the window or be destroyed first (which removes the subclass).

#include <windows.h>

#include <optional>
#include <string>

#include "common/win/unique_handle.h"

namespace quillbox::win {

class LinkAccessible;

class CHyperLink {
 public:
  // How the text is laid out (left-aligned; centred or right-aligned as the static's style
  // says). Without prefix processing: the error dialog's link shows a URL, where "&" is an
  // ordinary character. A word too long for a line (a URL) is broken rather than cut off.
  static constexpr UINT kDrawFlags = DT_LEFT | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX;

  CHyperLink() = default;
  ~CHyperLink();
  CHyperLink(const CHyperLink&) = delete;
  CHyperLink& operator=(const CHyperLink&) = delete;

  // Subclasses control. False when its window procedure could not be replaced.
  bool Attach(HWND control) noexcept;
  // Prepares font, cursor, tooltip, colours and the clickable area; call once after Attach.
  void Initialise();

  // The text drawn (when none is set, the URL is drawn); also becomes the window text.
  void SetLabel(const std::wstring& label);
  // The target opened by the shell, also the tooltip's text.
  void SetUrl(const std::wstring& url);
  // Opens the URL through the shell when it is a web address. True when the shell accepted it;
  // the link is then drawn in the visited colour.
  bool Navigate();

  // The area covered by the drawn text, in client coordinates: the only clickable area.
  RECT LinkRect() const noexcept { return linkRect_; }
  const std::optional<std::wstring>& Url() const noexcept { return url_; }
  // The text drawn: the label, or the URL when there is no label.
  const std::wstring& Text() const noexcept;
  bool Visited() const noexcept { return visited_; }
  COLORREF LinkColour() const noexcept { return linkColour_; }
  COLORREF VisitedColour() const noexcept { return visitedColour_; }
  // The colour the text is drawn in now: grey when disabled, COLOR_HOTLIGHT in high contrast,
  // the link or visited colour otherwise.
  COLORREF TextColour() const noexcept;

 private:
  static LRESULT CALLBACK SubclassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                            UINT_PTR id, DWORD_PTR self) noexcept;
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void Detach() noexcept;

  void CreateLinkFont();
  void CreateTooltip();
  void AddTooltipTool();
  void UpdateLinkRect();
  void Paint(HDC dc);
  UINT DrawFlags() const noexcept;
  LRESULT AccessibleObject(WPARAM wParam, LPARAM lParam) noexcept;
  bool InLinkRect(POINT client) const noexcept { return ::PtInRect(&linkRect_, client) != FALSE; }
  bool CursorInLinkRect() const noexcept;
  void Repaint() const noexcept { ::InvalidateRect(window_, nullptr, TRUE); }

  HWND window_ = nullptr;
  std::optional<std::wstring> label_;
  std::optional<std::wstring> url_;
  HCURSOR cursor_ = nullptr;
  UniqueGdiObject linkFont_;
  RECT linkRect_ = {};
  UniqueWindow tooltip_;
  LinkAccessible* accessible_ = nullptr;  // made at the first request, one reference held
  COLORREF linkColour_ = RGB(0, 0, 255);
  COLORREF visitedColour_ = RGB(128, 0, 128);
  bool paintLabel_ = true;
  bool visited_ = false;
};

}  // namespace quillbox::win
