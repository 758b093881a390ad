// The dialogs as a screen reader, a keyboard-only teacher and large text meet them: every
// dialog walked with oleacc against one table of its controls (name, role, state, in layout
// order), each link's default action, each control's text inside its rectangle at the DPI the
// program runs at (scripts run it again at 144 and 192 dpi), and the login done with keys
// posted through the dialog's own loop.

#include <windows.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "common/win/bstr.h"
#include "common/win/com_ptr.h"
#include "common/win/unique_handle.h"
#include "dialog_driver.h"
#include "service/service_client.h"
#include "ui/win/dialog_ports.h"
#include "ui/win/login_dialog.h"
#include "ui/win/message_dialog.h"
#include "ui/win/resource_ids.h"

namespace quillbox::testing {
namespace {

using win::ComPtr;

constexpr long kFocusable = STATE_SYSTEM_FOCUSABLE, kFocused = STATE_SYSTEM_FOCUSED, kLinked = STATE_SYSTEM_LINKED,
               kProtected = STATE_SYSTEM_PROTECTED, kDefault = STATE_SYSTEM_DEFAULT;
// The state bits compared; others (hot, read-only, ...) vary with the mouse and the toolkit.
constexpr long kCompared = kFocusable | kFocused | kLinked | kProtected | kDefault | STATE_SYSTEM_UNAVAILABLE;

constexpr wchar_t kSite[] = L"http://127.0.0.1:1/site";
const std::wstring kLongLink = std::wstring(kSite) + L"/index/renew?account=teacher.with.a.long.name&step=1";
const std::wstring kLongMessage = reinterpret_cast<const wchar_t*>(messages::kProxyOrFirewall) +
                                  std::wstring(L" Ask the school's IT team to let the add-in reach the service.");

struct Control {
  std::wstring name;
  long role;
  long state;
  std::string url;  // what the default action opens, for links
};

struct DialogCase {
  const wchar_t* caption;
  std::function<void()> show;  // shows the dialog modally on the calling thread
  std::vector<Control> controls;  // every child window, in layout order
};

const std::vector<DialogCase>& Dialogs() {
  static const std::vector<DialogCase> dialogs = {
      {L"Please log in...",
       [] { win::RunLoginDialog(nullptr, kSite); },
       {{L"Email address:", ROLE_SYSTEM_STATICTEXT, 0, {}},
        {L"Email address:", ROLE_SYSTEM_TEXT, kFocusable | kFocused, {}},
        {L"Password:", ROLE_SYSTEM_STATICTEXT, 0, {}},
        {L"Password:", ROLE_SYSTEM_TEXT, kFocusable | kProtected, {}},
        {L"Create Account", ROLE_SYSTEM_LINK, kFocusable | kLinked, "http://127.0.0.1:1/site"},
        {L"Forgot Password?", ROLE_SYSTEM_LINK, kFocusable | kLinked, "http://127.0.0.1:1/site/index/forgot"},
        {L"Log in", ROLE_SYSTEM_PUSHBUTTON, kFocusable | kDefault, {}},
        {L"Cancel", ROLE_SYSTEM_PUSHBUTTON, kFocusable, {}}}},
      {L"Please wait...",
       [] { win::DialogProgressRunner().Run([] { WaitUntilGone(WaitForDialog(L"Please wait...")); }); },
       {{L"", ROLE_SYSTEM_PROGRESSBAR, kFocused, {}}}},
      {L"Error!",
       [] { win::RunMessageDialog(nullptr, kLongMessage, kLongLink); },
       {{L"", ROLE_SYSTEM_GRAPHIC, 0, {}},
        {kLongMessage, ROLE_SYSTEM_STATICTEXT, 0, {}},
        {kLongLink, ROLE_SYSTEM_LINK, kFocusable | kLinked, std::string(kLongLink.begin(), kLongLink.end())},
        {L"OK", ROLE_SYSTEM_PUSHBUTTON, kFocusable | kFocused | kDefault, {}}}},
  };
  return dialogs;
}

// Runs body on this thread from inside the modal loop of the dialog with caption, once shown.
std::function<void(HWND)> inLoop;
const wchar_t* inLoopCaption = nullptr;
void CALLBACK InLoopTick(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND dialog = ::FindWindowW(L"#32770", inLoopCaption);
  if (!dialog || !::IsWindowVisible(dialog)) return;
  ::KillTimer(nullptr, timer);
  auto body = std::move(inLoop);
  body(dialog);
}
void InDialogLoop(const wchar_t* caption, std::function<void(HWND)> body) {
  inLoopCaption = caption;
  inLoop = std::move(body);
  ::SetTimer(nullptr, 0, 20, &InLoopTick);
}

VARIANT Self() {
  VARIANT self = {};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  return self;
}
std::wstring Text(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*), IAccessible& object) {
  BSTR text = nullptr;
  (object.*get)(Self(), &text);
  const win::UniqueBstr owned = win::UniqueBstr::Attach(text);
  return text ? std::wstring(text, ::SysStringLen(text)) : std::wstring();
}
long Number(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, VARIANT*), IAccessible& object) {
  VARIANT value = {};
  (object.*get)(Self(), &value);
  return value.vt == VT_I4 ? value.lVal : -1;
}

// The dialog's children as its accessible client object lists them.
std::vector<HWND> AccessibleChildWindows(HWND dialog) {
  ComPtr<IAccessible> client;
  EXPECT_EQ(::AccessibleObjectFromWindow(dialog, OBJID_CLIENT, IID_IAccessible, client.PutVoid()), S_OK);
  long count = 0;
  if (!client || FAILED(client->get_accChildCount(&count))) return {};
  std::vector<VARIANT> children(static_cast<size_t>(count));
  long got = 0;
  ::AccessibleChildren(client.Get(), 0, count, children.data(), &got);
  std::vector<HWND> windows;
  for (VARIANT& child : children) {
    ComPtr<IAccessible> object;
    if (child.vt == VT_DISPATCH && child.pdispVal) child.pdispVal->QueryInterface(IID_IAccessible, object.PutVoid());
    HWND window = nullptr;
    if (object) ::WindowFromAccessibleObject(object.Get(), &window);
    windows.push_back(window);
    ::VariantClear(&child);
  }
  return windows;
}

bool RunningOnWine() { return ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr; }

// Wine 8's standard proxy knows only edits among these controls: it reports statics, buttons
// and progress bars as "client", focusable, never "default". Windows reports the table's roles.
bool FromWinesGenericProxy(const Control& control) {
  return RunningOnWine() && control.role != ROLE_SYSTEM_TEXT && control.role != ROLE_SYSTEM_LINK;
}

TEST(Accessibility, EveryControlOfEveryDialogHasItsNameRoleStateAndAction) {
  ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  BrowserCapture browser;
  for (const DialogCase& dialogCase : Dialogs()) {
    SCOPED_TRACE(::testing::Message() << "dialog " << std::string(dialogCase.caption, dialogCase.caption + wcslen(dialogCase.caption)));
    InDialogLoop(dialogCase.caption, [&](HWND dialog) {
      const std::vector<HWND> windows = AccessibleChildWindows(dialog);
      ASSERT_EQ(windows.size(), dialogCase.controls.size());
      for (size_t i = 0; i < windows.size(); ++i) {
        const Control& expected = dialogCase.controls[i];
        SCOPED_TRACE(::testing::Message() << "control " << i);
        ComPtr<IAccessible> object;
        ASSERT_EQ(::AccessibleObjectFromWindow(windows[i], OBJID_CLIENT, IID_IAccessible, object.PutVoid()), S_OK);
        EXPECT_TRUE(Text(&IAccessible::get_accName, *object) == expected.name);
        const long role = Number(&IAccessible::get_accRole, *object);
        const long state = Number(&IAccessible::get_accState, *object);
        if (FromWinesGenericProxy(expected)) {
          EXPECT_TRUE(role == expected.role || role == ROLE_SYSTEM_CLIENT) << role;
          EXPECT_EQ(state & kFocused, expected.state & kFocused);
        } else {
          EXPECT_EQ(role, expected.role);
          EXPECT_EQ(state & kCompared, expected.state);
        }
        if (expected.url.empty()) continue;
        EXPECT_TRUE(Text(&IAccessible::get_accDefaultAction, *object) == L"Jump");
        EXPECT_EQ(object->accDoDefaultAction(Self()), S_OK);
        EXPECT_TRUE(browser.WaitFor(expected.url)) << expected.url;
        EXPECT_TRUE(Number(&IAccessible::get_accState, *object) & STATE_SYSTEM_TRAVERSED);
      }
      // Tab visits the focusable controls in that same order, and comes round again.
      std::vector<HWND> tabOrder, focusable;
      for (size_t i = 0; i < windows.size(); ++i) {
        if (dialogCase.controls[i].state & kFocusable) focusable.push_back(windows[i]);
      }
      if (!focusable.empty()) {
        for (HWND item = focusable.front(); tabOrder.size() <= focusable.size(); item = ::GetNextDlgTabItem(dialog, item, FALSE)) {
          tabOrder.push_back(item);
        }
        focusable.push_back(focusable.front());
        EXPECT_EQ(tabOrder, focusable);
      }
      ::EndDialog(dialog, IDCANCEL);
    });
    dialogCase.show();
  }
  ::CoUninitialize();
}

// Wider than the single-line text of labels, links and buttons, and taller than the wrapped
// text of the error message: nothing is cut off at this DPI.
TEST(Accessibility, EveryTextFitsItsControlAtThisDpi) {
  HDC screen = ::GetDC(nullptr);
  std::printf("dpi %d\n", ::GetDeviceCaps(screen, LOGPIXELSY));
  ::ReleaseDC(nullptr, screen);
  for (const DialogCase& dialogCase : Dialogs()) {
    InDialogLoop(dialogCase.caption, [&](HWND dialog) {
      for (HWND control = ::GetWindow(dialog, GW_CHILD); control; control = ::GetWindow(control, GW_HWNDNEXT)) {
        wchar_t text[512] = {};
        ::GetWindowTextW(control, text, ARRAYSIZE(text));
        if (!*text || !::IsWindowVisible(control)) continue;
        RECT client = {}, needed = {};
        ::GetClientRect(control, &client);
        needed.right = client.right;
        HDC dc = ::GetDC(control);
        ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(::SendMessageW(control, WM_GETFONT, 0, 0)));
        const int id = ::GetDlgCtrlID(control);
        const bool wraps = id == IDC_MESSAGE_TEXT || id == IDC_MESSAGE_LINK;
        const bool prefix = !wraps && !(::GetWindowLongW(control, GWL_STYLE) & SS_NOPREFIX);
        ::DrawTextW(dc, text, -1, &needed,
                    DT_CALCRECT | (prefix ? 0 : DT_NOPREFIX) | (wraps ? DT_WORDBREAK | DT_EDITCONTROL : DT_SINGLELINE));
        ::ReleaseDC(control, dc);
        SCOPED_TRACE(::testing::Message() << "control " << id << " '" << std::string(text, text + wcslen(text)) << "'");
        EXPECT_LE(needed.right, client.right);
        EXPECT_LE(needed.bottom, client.bottom);
        RECT inDialog = {}, dialogClient = {}, overlap = {};
        ::GetWindowRect(control, &inDialog);
        ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&inDialog), 2);
        ::GetClientRect(dialog, &dialogClient);
        ::IntersectRect(&overlap, &inDialog, &dialogClient);
        EXPECT_TRUE(::EqualRect(&overlap, &inDialog));  // not cut off by the dialog's edge
      }
      ::EndDialog(dialog, IDCANCEL);
    });
    dialogCase.show();
  }
}

void Type(HWND dialog, const std::wstring& keys) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof(info);
  ::GetGUIThreadInfo(::GetWindowThreadProcessId(dialog, nullptr), &info);
  for (wchar_t key : keys) {
    if (key == L'\t' || key == L'\r') {
      PressKey(info.hwndFocus, key == L'\t' ? VK_TAB : VK_RETURN);
    } else {
      ::PostMessageW(info.hwndFocus, WM_CHAR, key, 1);
    }
    // The next key goes to wherever focus went.
    const HWND before = info.hwndFocus;
    for (auto deadline = Clock::now() + 2s; Clock::now() < deadline; std::this_thread::sleep_for(10ms)) {
      ::GetGUIThreadInfo(::GetWindowThreadProcessId(dialog, nullptr), &info);
      if (key != L'\t' || info.hwndFocus != before) break;
    }
  }
}

TEST(Accessibility, LoginWithTheKeyboardAloneAndLinksOpenedByEnterAndSpace) {
  BrowserCapture browser;
  bool openAfterLinks = false;
  win::LoginDialogResult result;
  {
    DialogDriver teacher([&] {
      HWND dialog = WaitForDialog(L"Please log in...");
      if (!dialog) return;
      Type(dialog, L"teacher@school.example\tsecret\t\r");  // Enter on "Create Account"
      browser.WaitFor("http://127.0.0.1:1/site");
      Type(dialog, L"\t\r ");  // Enter, then Space, on "Forgot Password?"
      for (auto deadline = Clock::now() + 10s; browser.Urls().size() < 3 && Clock::now() < deadline;) {
        std::this_thread::sleep_for(50ms);
      }
      openAfterLinks = IsShown(dialog);
      Type(dialog, L"l");  // the access key of "Log in", pressed on a link
    });
    result = win::RunLoginDialog(nullptr, kSite);
  }
  EXPECT_TRUE(openAfterLinks);
  EXPECT_EQ(browser.Urls(), (std::vector<std::string>{"http://127.0.0.1:1/site", "http://127.0.0.1:1/site/index/forgot",
                                                      "http://127.0.0.1:1/site/index/forgot"}));
  EXPECT_EQ(result.code, IDOK);
  EXPECT_EQ(result.email, L"teacher@school.example");
  EXPECT_EQ(result.password, L"secret");
}

TEST(Accessibility, ErrorDialogLinkOpensOnEnterAndEscapeStillCloses) {
  BrowserCapture browser;
  bool openAfterEnter = false;
  INT_PTR code = 0;
  {
    DialogDriver teacher([&] {
      HWND dialog = WaitForDialog(L"Error!");
      if (!dialog) return;
      Type(dialog, L"\t\r");  // from OK round to the link
      openAfterEnter = browser.WaitFor("http://127.0.0.1:1/site") && IsShown(dialog);
      PressKey(dialog, VK_ESCAPE);
    });
    code = win::RunMessageDialog(nullptr, L"Your account has expired.", kSite);
  }
  EXPECT_TRUE(openAfterEnter);
  EXPECT_EQ(code, IDCANCEL);
}

}  // namespace
}  // namespace quillbox::testing
