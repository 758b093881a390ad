// The dialogs as a screen reader, a keyboard-only teacher and large text meet them, against one
// table of dialogs and controls (name, role, state, in layout order). dpi_layout_test.sh runs
// the layout check again at other DPIs.

#include <windows.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "common/win/bstr.h"
#include "common/win/com_ptr.h"
#include "dialog_driver.h"
#include "service/service_client.h"
#include "tests/windows/addin/addin_test_support.h"
#include "ui/win/dialog_ports.h"
#include "ui/win/login_dialog.h"
#include "ui/win/message_dialog.h"
#include "ui/win/resource_ids.h"
#include "word-standin/word_host.h"

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

struct Control { std::wstring name; long role; long state; std::string url; };  // url: links only
// show() shows the dialog modally on the calling thread; controls are its children in layout order.
struct DialogCase { const wchar_t* caption; std::function<void()> show; std::vector<Control> controls; };

const std::vector<DialogCase>& Dialogs() {
  static const std::vector<DialogCase> dialogs = {
      {L"Please log in...", [] { win::RunLoginDialog(nullptr, kSite); },
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
      {L"Error!", [] { win::RunMessageDialog(nullptr, kLongMessage, kLongLink); },
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
  inLoopCaption = nullptr;  // done: what the tests check after the dialog has gone
  std::function<void(HWND)>(std::move(inLoop))(dialog);
}
void InDialogLoop(const wchar_t* caption, std::function<void(HWND)> body) {
  inLoopCaption = caption;
  inLoop = std::move(body);
  ::SetTimer(nullptr, 0, 20, &InLoopTick);
}

VARIANT Self() { VARIANT self = {}; self.vt = VT_I4; return self; }  // CHILDID_SELF
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
  EXPECT_EQ(::AccessibleObjectFromWindow(dialog, OBJID_CLIENT, __uuidof(IAccessible), client.PutVoid()), S_OK);
  long count = 0;
  if (!client || FAILED(client->get_accChildCount(&count))) return {};
  std::vector<VARIANT> children(static_cast<size_t>(count));
  ::AccessibleChildren(client.Get(), 0, count, children.data(), &count);
  std::vector<HWND> windows(children.size());
  for (size_t i = 0; i < children.size(); ++i) {
    ComPtr<IAccessible> object;
    if (children[i].vt == VT_DISPATCH) children[i].pdispVal->QueryInterface(__uuidof(IAccessible), object.PutVoid());
    if (object) ::WindowFromAccessibleObject(object.Get(), &windows[i]);
    ::VariantClear(&children[i]);
  }
  return windows;
}

// Wine 8's standard proxy knows only edits among these controls: it reports statics, buttons
// and progress bars as "client", focusable, never "default". Windows reports the table's roles.
bool FromWinesGenericProxy(const Control& control) {
  const bool wine = ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
  return wine && control.role != ROLE_SYSTEM_TEXT && control.role != ROLE_SYSTEM_LINK;
}

// The login dialog as the registered QuillboxAddIn.dll shows it when the stand-in Word's ribbon
// asks to log in (its links open the configured site, so they are not followed there).
void LogInThroughTheLibrary() {
  standin::CollectedTranscript transcript;
  standin::WordHost host(CreateRegisteredAddin(), transcript);
  ASSERT_EQ(S_OK, host.Start());
  host.AnswerDialogs(false);  // the walk reads and ends the dialog itself
  EXPECT_EQ(S_OK, host.Click(L"logIn"));
}

TEST(Accessibility, EveryControlOfEveryDialogHasItsNameRoleStateAndAction) {
  ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  BrowserCapture browser;
  struct Walk { const DialogCase& dialogCase; std::function<void()> show; bool follow; };
  std::vector<Walk> walks;
  for (const DialogCase& dialogCase : Dialogs()) walks.push_back({dialogCase, dialogCase.show, true});
  walks.push_back({Dialogs().front(), &LogInThroughTheLibrary, false});
  for (const auto& [dialogCase, show, follow] : walks) {
    SCOPED_TRACE(::testing::Message() << "dialog " << std::string(dialogCase.caption, dialogCase.caption + wcslen(dialogCase.caption))
                                      << (follow ? "" : " of the library"));
    InDialogLoop(dialogCase.caption, [&](HWND dialog) {
      const std::vector<HWND> windows = AccessibleChildWindows(dialog);
      ASSERT_EQ(windows.size(), dialogCase.controls.size());
      for (size_t i = 0; i < windows.size(); ++i) {
        const Control& expected = dialogCase.controls[i];
        SCOPED_TRACE(::testing::Message() << "control " << i);
        ComPtr<IAccessible> object;
        ASSERT_EQ(::AccessibleObjectFromWindow(windows[i], OBJID_CLIENT, __uuidof(IAccessible), object.PutVoid()), S_OK);
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
        if (!follow) continue;
        EXPECT_EQ(object->accDoDefaultAction(Self()), S_OK);
        EXPECT_TRUE(browser.WaitFor(expected.url)) << expected.url;
        EXPECT_TRUE(Number(&IAccessible::get_accState, *object) & STATE_SYSTEM_TRAVERSED);
      }
      // Tab visits the focusable controls in that same order, from the last round to the first.
      std::vector<HWND> focusable;
      for (size_t i = 0; i < windows.size(); ++i) {
        if (dialogCase.controls[i].state & kFocusable) focusable.push_back(windows[i]);
      }
      HWND item = focusable.empty() ? nullptr : focusable.back();
      for (HWND next : focusable) EXPECT_EQ(item = ::GetNextDlgTabItem(dialog, item, FALSE), next);
      ::EndDialog(dialog, IDCANCEL);
    });
    show();
    EXPECT_EQ(inLoopCaption, nullptr) << "the dialog never showed";
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
        RECT inDialog = {}, dialogClient = {};  // and the control is not cut off by the dialog's edge
        ::GetWindowRect(control, &inDialog);
        ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&inDialog), 2);
        ::GetClientRect(dialog, &dialogClient);
        EXPECT_TRUE(inDialog.left >= 0 && inDialog.top >= 0 && inDialog.right <= dialogClient.right &&
                    inDialog.bottom <= dialogClient.bottom);
      }
      ::EndDialog(dialog, IDCANCEL);
    });
    dialogCase.show();
    EXPECT_EQ(inLoopCaption, nullptr) << "the dialog never showed";
  }
}

// Posts keys to the focused control, so that they pass through the dialog's own loop: Tab,
// Enter and Escape as key presses, anything else as a character.
void Type(HWND dialog, const std::wstring& keys) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof(info);
  for (wchar_t key : keys) {
    ::GetGUIThreadInfo(::GetWindowThreadProcessId(dialog, nullptr), &info);
    const HWND focus = info.hwndFocus;
    const UINT press = key == L'\t' ? VK_TAB : key == L'\r' ? VK_RETURN : key == L'\x1b' ? VK_ESCAPE : 0;
    if (press) PressKey(focus, press);
    if (!press) ::PostMessageW(focus, WM_CHAR, key, 1);
    // The next key goes to wherever Tab moved focus.
    for (auto deadline = Clock::now() + 2s; key == L'\t' && info.hwndFocus == focus && Clock::now() < deadline;) {
      std::this_thread::sleep_for(10ms);
      ::GetGUIThreadInfo(::GetWindowThreadProcessId(dialog, nullptr), &info);
    }
  }
}

// The login done with the keyboard alone, and every link opened with Enter and Space while its
// dialog stays open; then the dialog ends with its access key or Escape.
TEST(Accessibility, DialogsWorkWithTheKeyboardAlone) {
  win::LoginDialogResult login;
  const std::string site(kSite, kSite + wcslen(kSite)), forgot = site + "/index/forgot";
  // keys are typed first and leave the dialog open, having opened urls (sorted); lastKeys end it.
  struct KeyboardCase { const wchar_t* caption; std::function<INT_PTR()> show; std::wstring keys;
                        std::vector<std::string> urls; std::wstring lastKeys; INT_PTR code; } cases[] = {
      {L"Please log in...", [&] { return (login = win::RunLoginDialog(nullptr, kSite)).code; },
       L"teacher@school.example\tsecret\t\r\t\r ", {site, forgot, forgot}, L"l", IDOK},
      {L"Error!", [] { return win::RunMessageDialog(nullptr, L"Your account has expired.", kSite); },
       L"\t\r ", {site, site}, L"\x1b", IDCANCEL},  // from OK round to the link
  };
  for (const KeyboardCase& c : cases) {
    BrowserCapture browser;
    bool openAfterKeys = false;
    INT_PTR code = 0;
    {
      DialogDriver teacher([&] {
        HWND dialog = WaitForDialog(c.caption);
        if (!dialog) return;
        Type(dialog, c.keys);
        for (auto deadline = Clock::now() + 10s; browser.Urls().size() < c.urls.size() && Clock::now() < deadline;) {
          std::this_thread::sleep_for(50ms);
        }
        openAfterKeys = IsShown(dialog);
        Type(dialog, c.lastKeys);
      });
      code = c.show();
    }
    EXPECT_TRUE(openAfterKeys);
    std::vector<std::string> urls = browser.Urls();  // each from a browser of its own: in any order
    std::sort(urls.begin(), urls.end());
    EXPECT_EQ(urls, c.urls);
    EXPECT_EQ(code, c.code);
  }
  EXPECT_EQ(login.email, L"teacher@school.example");
  EXPECT_EQ(login.password, L"secret");
}

}  // namespace
}  // namespace quillbox::testing
