// CHyperLink on a live static control: clickable area, keyboard, colours from the registry,
// drawing, tooltip, and which URLs reach the shell.

#include "ui/win/hyperlink.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include "common/win/this_module.h"
#include "common/win/unique_handle.h"
#include "dialog_driver.h"
#include "ui/win/activation_context.h"
#include "ui/win/high_contrast.h"
#include "ui/win/resource_ids.h"

namespace quillbox::testing {
namespace {

using win::CHyperLink;

INT_PTR CALLBACK PassiveDialog(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

constexpr wchar_t kColourKey[] = L"Software\\Microsoft\\Internet Explorer\\Settings";

// The error dialog's template, shown modeless on the test thread; its control 206 is the link.
class HyperlinkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    win::ScopedUiActivation activation;
    dialog_.Reset(::CreateDialogParamW(win::ThisModule(), MAKEINTRESOURCEW(IDD_MESSAGE), nullptr, &PassiveDialog, 0));
    ASSERT_TRUE(dialog_);
    ::ShowWindow(dialog_.Get(), SW_SHOWNOACTIVATE);
    control_ = ::GetDlgItem(dialog_.Get(), IDC_MESSAGE_LINK);
  }
  void TearDown() override { ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kColourKey, L"Anchor Color"); }

  void AttachLink(const std::wstring& url) {
    ASSERT_TRUE(link_.Attach(control_));
    link_.Initialise();
    link_.SetUrl(url);
  }
  POINT InsideText() const { return {link_.LinkRect().left + 2, link_.LinkRect().top + 2}; }
  POINT RightOfText() const { return {link_.LinkRect().right + 5, link_.LinkRect().top + 2}; }
  void Send(UINT message, WPARAM wParam, POINT at) {
    ::SendMessageW(control_, message, wParam, MAKELPARAM(at.x, at.y));
  }

  // Pixels of colour in the control as it draws itself.
  int CountPixels(COLORREF colour) {
    RECT client = {};
    ::GetClientRect(control_, &client);
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    win::UniqueGdiObject bitmap(::CreateCompatibleBitmap(screen, client.right, client.bottom));
    HGDIOBJ old = ::SelectObject(memory, bitmap.Get());
    ::SendMessageW(control_, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
    int count = 0;
    for (int y = 0; y < client.bottom; ++y) {
      for (int x = 0; x < client.right; ++x) count += ::GetPixel(memory, x, y) == colour;
    }
    ::SelectObject(memory, old);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return count;
  }

  win::UniqueWindow dialog_;
  HWND control_ = nullptr;
  CHyperLink link_;  // declared after dialog_: destroyed first, so it detaches from a live window
};

TEST_F(HyperlinkTest, BecomesFocusableNotifyingStaticWithItsTextAsLabelAndUrl) {
  ASSERT_TRUE(link_.Attach(control_));
  link_.Initialise();
  EXPECT_TRUE(::GetWindowLongPtrW(control_, GWL_STYLE) & SS_NOTIFY);
  EXPECT_EQ(::SendMessageW(control_, WM_NCHITTEST, 0, 0), HTCLIENT);
  // It asks the dialog manager for Enter (and Space), not for Tab: other keys keep their meaning.
  MSG enter{control_, WM_KEYDOWN, VK_RETURN, 0, 0, {}}, tab{control_, WM_KEYDOWN, VK_TAB, 0, 0, {}};
  EXPECT_EQ(::SendMessageW(control_, WM_GETDLGCODE, 0, reinterpret_cast<LPARAM>(&enter)) & DLGC_WANTMESSAGE, DLGC_WANTMESSAGE);
  EXPECT_EQ(::SendMessageW(control_, WM_GETDLGCODE, 0, reinterpret_cast<LPARAM>(&tab)) & DLGC_WANTMESSAGE, 0);
  EXPECT_EQ(link_.Url(), std::wstring(L"Static"));  // no URL set: the label stands in

  // The clickable area is the drawn text, narrower than the 194-unit wide control.
  RECT client = {};
  ::GetClientRect(control_, &client);
  const RECT text = link_.LinkRect();
  EXPECT_GT(text.right - text.left, 0);
  EXPECT_LT(text.right, client.right / 2);
}

// EnumThreadWindows callback (CALLBACK: __stdcall on 32-bit Windows, which a lambda is not):
// notes a tooltip window in the HWND that found points to.
BOOL CALLBACK NoteTooltip(HWND w, LPARAM found) {
  wchar_t name[32] = {};
  ::GetClassNameW(w, name, ARRAYSIZE(name));
  if (lstrcmpiW(name, TOOLTIPS_CLASSW) == 0) *reinterpret_cast<HWND*>(found) = w;
  return TRUE;
}

TEST_F(HyperlinkTest, TooltipCarriesTheCurrentUrl) {
  AttachLink(L"http://127.0.0.1:1/first");
  link_.SetUrl(L"http://127.0.0.1:1/second");
  HWND tooltip = nullptr;
  // The tooltip is a popup owned by the dialog: find it among the thread's windows.
  ::EnumThreadWindows(::GetCurrentThreadId(), NoteTooltip, reinterpret_cast<LPARAM>(&tooltip));
  ASSERT_NE(tooltip, nullptr);
  ASSERT_EQ(::SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0), 1);
  wchar_t text[128] = {};
  TTTOOLINFOW tool = {};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.lpszText = text;
  ASSERT_TRUE(::SendMessageW(tooltip, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&tool)));
  EXPECT_STREQ(text, L"http://127.0.0.1:1/second");
  EXPECT_EQ(tool.uId, 1u);
}

TEST_F(HyperlinkTest, MouseOpensOnlyAClickReleasedOnTheText) {
  BrowserCapture browser;
  AttachLink(L"http://127.0.0.1:1/clicked");

  Send(WM_LBUTTONDOWN, MK_LBUTTON, RightOfText());  // inside the control, beside the text
  Send(WM_LBUTTONUP, 0, RightOfText());
  EXPECT_FALSE(link_.Visited());

  Send(WM_LBUTTONDOWN, MK_LBUTTON, InsideText());  // pressed on the link, released off it
  EXPECT_EQ(::GetCapture(), control_);
  Send(WM_LBUTTONUP, 0, RightOfText());
  EXPECT_EQ(::GetCapture(), nullptr);
  EXPECT_FALSE(link_.Visited());

  Send(WM_LBUTTONDOWN, MK_LBUTTON, InsideText());
  Send(WM_LBUTTONUP, 0, InsideText());
  EXPECT_TRUE(link_.Visited());
  EXPECT_EQ(::GetFocus(), control_);
  ASSERT_TRUE(browser.WaitFor("http://127.0.0.1:1/clicked"));
  EXPECT_EQ(browser.Urls().size(), 1u);
}

TEST_F(HyperlinkTest, EnterAndSpaceOpenOtherCharactersDoNot) {
  BrowserCapture browser;
  AttachLink(L"https://127.0.0.1:1/typed");
  ::SendMessageW(control_, WM_CHAR, L'a', 0);
  ::SendMessageW(control_, WM_CHAR, L'\t', 0);
  EXPECT_FALSE(link_.Visited());
  ::SendMessageW(control_, WM_CHAR, L' ', 0);
  EXPECT_TRUE(link_.Visited());
  ::SendMessageW(control_, WM_CHAR, L'\r', 0);
  ASSERT_TRUE(browser.WaitFor("https://127.0.0.1:1/typed"));
  for (auto deadline = Clock::now() + 5s; browser.Urls().size() < 2 && Clock::now() < deadline;) {
    std::this_thread::sleep_for(50ms);
  }
  EXPECT_EQ(browser.Urls().size(), 2u);
}

TEST_F(HyperlinkTest, NonWebTargetsNeverReachTheShell) {
  BrowserCapture browser;
  AttachLink(L"");
  for (const wchar_t* target : {L"", L"C:\\windows\\win.ini", L"C:\\windows\\system32\\winver.exe",
                                L"javascript:alert(1)", L"file:///C:/windows/win.ini", L"ftp://127.0.0.1:1/",
                                L"mailto:teacher@127.0.0.1"}) {
    SCOPED_TRACE(::testing::Message() << "target " << std::string(target, target + wcslen(target)));
    link_.SetUrl(target);
    EXPECT_FALSE(link_.Navigate());
    Send(WM_LBUTTONDOWN, MK_LBUTTON, InsideText());
    Send(WM_LBUTTONUP, 0, InsideText());
    EXPECT_FALSE(link_.Visited());
  }
  EXPECT_GT(CountPixels(RGB(0, 0, 255)), 0);  // still drawn as an unvisited link
  std::this_thread::sleep_for(1s);             // time for a launched browser to report
  EXPECT_TRUE(browser.Urls().empty());
}

TEST_F(HyperlinkTest, DrawsInLinkVisitedAndDisabledColours) {
  BrowserCapture browser;
  AttachLink(L"http://127.0.0.1:1/colours");
  EXPECT_GT(CountPixels(RGB(0, 0, 255)), 10);
  EXPECT_EQ(CountPixels(RGB(128, 0, 128)), 0);

  ASSERT_TRUE(link_.Navigate());
  EXPECT_GT(CountPixels(RGB(128, 0, 128)), 10);
  EXPECT_EQ(CountPixels(RGB(0, 0, 255)), 0);

  ::EnableWindow(control_, FALSE);
  EXPECT_GT(CountPixels(::GetSysColor(COLOR_GRAYTEXT)), 10);
  EXPECT_EQ(CountPixels(RGB(128, 0, 128)), 0);
  browser.WaitFor("http://127.0.0.1:1/colours");
}

class HighContrastOn : public win::HighContrastSetting {
  bool IsOn() const override { return true; }
};

TEST_F(HyperlinkTest, HighContrastDrawsEveryStateInTheSystemLinkColour) {
  BrowserCapture browser;
  ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, kColourKey, L"Anchor Color", REG_SZ, L"0,128,0", 16), ERROR_SUCCESS);
  AttachLink(L"http://127.0.0.1:1/contrast");
  const COLORREF hotlight = ::GetSysColor(COLOR_HOTLIGHT);
  {
    HighContrastOn on;
    win::ScopedHighContrast highContrast(on);
    EXPECT_GT(CountPixels(hotlight), 10);  // the teacher's anchor colour gives way
    EXPECT_EQ(CountPixels(RGB(0, 128, 0)), 0);
    ASSERT_TRUE(link_.Navigate());
    EXPECT_GT(CountPixels(hotlight), 10);
    EXPECT_EQ(CountPixels(RGB(128, 0, 128)), 0);
  }
  EXPECT_GT(CountPixels(RGB(128, 0, 128)), 10);  // outside high contrast, as before
  EXPECT_EQ(CountPixels(hotlight), 0);
  browser.WaitFor("http://127.0.0.1:1/contrast");
}

struct RegistryColourCase {
  DWORD type;
  std::wstring data;
  size_t storedUnits;  // how much of data is stored; the registry adds no terminator itself
  COLORREF expected;   // unless the unit after the stored ones is a null
};

TEST_F(HyperlinkTest, LinkColourComesFromTheRegistryWhenValid) {
  const RegistryColourCase cases[] = {
      {REG_SZ, L"0,128,0", 8, RGB(0, 128, 0)},
      {REG_EXPAND_SZ, L"0,128,0", 8, RGB(0, 128, 0)},
      {REG_SZ, L"0,128", 6, RGB(0, 0, 255)},
      {REG_SZ, L"0,128,0x", 7, RGB(0, 0, 255)},  // stored without its terminator
      {REG_SZ, L"0000,128,000", 13, RGB(0, 0, 255)},
      {REG_MULTI_SZ, std::wstring(L"0,128,0") + L'\0', 9, RGB(0, 0, 255)},
      {REG_BINARY, L"0,128,0", 8, RGB(0, 0, 255)},
  };
  for (const RegistryColourCase& c : cases) {
    SCOPED_TRACE(::testing::Message() << "type " << c.type << ", " << c.storedUnits << " units");
    win::UniqueRegKey key;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, kColourKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.Put(), nullptr),
              ERROR_SUCCESS);
    ::RegSetValueExW(key.Get(), L"Anchor Color", 0, c.type, reinterpret_cast<const BYTE*>(c.data.data()),
                     static_cast<DWORD>(c.storedUnits * sizeof(wchar_t)));
    CHyperLink link;
    ASSERT_TRUE(link.Attach(control_));
    link.Initialise();
    EXPECT_EQ(link.LinkColour(), c.expected);
    EXPECT_EQ(link.VisitedColour(), RGB(128, 0, 128));
    if (c.expected == RGB(0, 128, 0)) {
      EXPECT_GT(CountPixels(RGB(0, 128, 0)), 10);
    }
  }
}

}  // namespace
}  // namespace quillbox::testing
