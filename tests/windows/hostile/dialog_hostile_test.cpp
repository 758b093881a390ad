// Hostile servers seen through the real dialogs and the real shell: a server that never
// answers while the "Please wait..." dialog keeps Word's thread responsive; a refusal whose
// link is not a web page, which the error dialog shows but never hands to the shell; and a
// login key full of spaces and quotes, which reaches the browser exactly as the address is
// formed.

#include <windows.h>

#include <shellapi.h>

#include <atomic>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "hostile_server.h"
#include "import_patch.h"
#include "service/win/shell_browser_opener.h"
#include "service/win/winhttp_transport.h"
#include "tests/support/fakes.h"
#include "tests/windows/ui/dialog_driver.h"
#include "ui/win/dialog_ports.h"
#include "ui/win/resource_ids.h"

namespace quillbox::testing {
namespace {

std::u16string Utf16(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }

// The worker waits on a server that says nothing, while the teacher's thread sits in the
// progress dialog: that thread keeps answering messages the whole time, and the login ends
// with the network message once the server gives up.
TEST(SilentServer, ProgressDialogKeepsWordsThreadResponsiveWhileTheWorkerWaits) {
  HostileServer server({{"/service/subjects", Silent(4000)}});
  win::WinHttpTransport transport;
  FakeSettings settings(Utf16(server.BaseUrl()));
  FakeBrowser browser;
  FakeLoginPrompt login;
  login.answer = LoginCredentials{u"teacher@example.org", u"pw"};
  win::DialogProgressRunner progress;
  FakeErrorDialog errors;
  FakeRibbon ribbon;
  FakeDocument document;
  AddinCore core(AddinPorts{ribbon, document, transport, settings, browser, login, progress, errors});
  core.RibbonLoaded();

  std::atomic<int> answeredWhileWaiting{0};
  std::atomic<int> unanswered{0};
  {
    DialogDriver teacher([&] {
      const HWND dialog = WaitForDialog(L"Please wait...");
      if (!dialog) return;
      // Ask the dialog's thread for an answer again and again while the request is out.
      while (IsShown(dialog)) {
        DWORD_PTR answer = 0;
        if (::SendMessageTimeoutW(dialog, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &answer)) {
          if (!server.RequestLines().empty()) ++answeredWhileWaiting;
        } else if (IsShown(dialog)) {
          ++unanswered;
        }
        ::Sleep(50);
      }
    });
    core.LogIn();
  }

  EXPECT_EQ(1u, server.RequestLines().size());
  EXPECT_GT(answeredWhileWaiting.load(), 10) << "the dialog's thread did not answer while the worker waited";
  EXPECT_EQ(0, unanswered.load());
  ASSERT_EQ(1u, errors.shown.size());
  EXPECT_EQ(0u, errors.shown[0].first.find(u"We have detected you connect to the internet via a proxy"));
  EXPECT_FALSE(core.IsLoggedIn());
  EXPECT_TRUE(browser.opened.empty()) << "no website was asked for";
}

// Records every ShellExecuteW of the program's code and passes it on.
class ShellWatch {
 public:
  ShellWatch() : patch_("shell32.dll", "ShellExecuteW", reinterpret_cast<void*>(&Execute)) {
    original_ = reinterpret_cast<Function>(patch_.Original());
    Files().clear();
  }
  static std::vector<std::wstring>& Files() {
    static std::vector<std::wstring> files;
    return files;
  }

 private:
  using Function = HINSTANCE(WINAPI*)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);
  static HINSTANCE WINAPI Execute(HWND owner, LPCWSTR verb, LPCWSTR file, LPCWSTR parameters, LPCWSTR directory,
                                  INT show) {
    Files().emplace_back(file ? file : L"");
    return original_(owner, verb, file, parameters, directory, show);
  }
  static inline Function original_ = nullptr;
  ImportPatch patch_;
};

struct RefusalLink {
  const char* url;
  bool opened;
};

// The refusal's link is shown under the message; the teacher activates it. Only a web page
// reaches the shell; the web page proves that activating the link works at all.
TEST(RefusalLink, OnlyWebPagesReachTheShell) {
  const RefusalLink links[] = {
      {"http://127.0.0.1:9/help-page", true},
      {"file:///C:/windows/system32/notepad.exe", false},
      {"C:\\windows\\notepad.exe", false},
      {"javascript:alert(1)", false},
      {"mailto:head@school.example", false},
      {"ftp://127.0.0.1/readme", false},
      {"http://127.0.0.1:9/a\" --new-window \"b", false},
      {"http://127.0.0.1:9/with space", false},
  };
  BrowserCapture capture;
  for (const RefusalLink& link : links) {
    SCOPED_TRACE(link.url);
    HostileServer server({{"/service/subjects",
                           Answer(std::string(R"({"status":"no","msg":"Your account is locked.","url":")") +
                                  [&] {
                                    std::string escaped;
                                    for (const char c : std::string(link.url)) {
                                      if (c == '"' || c == '\\') escaped += '\\';
                                      escaped += c;
                                    }
                                    return escaped;
                                  }() + "\"}")}});
    win::WinHttpTransport transport;
    FakeSettings settings(Utf16(server.BaseUrl()));
    FakeBrowser browser;
    FakeLoginPrompt login;
    login.answer = LoginCredentials{u"teacher@example.org", u"pw"};
    InlineProgressRunner progress;
    win::DialogErrorDialog errors;
    FakeRibbon ribbon;
    FakeDocument document;
    AddinCore core(AddinPorts{ribbon, document, transport, settings, browser, login, progress, errors});
    core.RibbonLoaded();
    ShellWatch shell;

    std::wstring shownLink;
    std::wstring shownMessage;
    {
      DialogDriver teacher([&] {
        const HWND dialog = WaitForDialog(L"Error!");
        if (!dialog) return;
        shownMessage = ItemText(dialog, IDC_MESSAGE_TEXT);
        shownLink = ItemText(dialog, IDC_MESSAGE_LINK);
        const HWND linkControl = ::GetDlgItem(dialog, IDC_MESSAGE_LINK);
        ::SendMessageW(linkControl, WM_CHAR, VK_SPACE, 0);
        ::SendMessageW(linkControl, WM_CHAR, VK_RETURN, 0);
        ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        if (!WaitUntilGone(dialog)) CloseIfOpen(L"Error!");
      });
      core.LogIn();
    }

    EXPECT_EQ(L"Your account is locked.", shownMessage);
    const std::string url = link.url;
    EXPECT_EQ(std::wstring(url.begin(), url.end()), shownLink) << "the link is shown as it came";
    if (link.opened) {
      EXPECT_FALSE(ShellWatch::Files().empty());
      EXPECT_TRUE(capture.WaitFor(url));
    } else {
      EXPECT_TRUE(ShellWatch::Files().empty());
    }
    EXPECT_TRUE(browser.opened.empty()) << "the error dialog's link goes to the shell itself";
  }
  ::Sleep(300);  // late arrivals at the stand-in browser
  for (const std::string& arrived : capture.Urls()) EXPECT_EQ("http://127.0.0.1:9/help-page", arrived);
}

// A login key with spaces and quotes reaches the shell, and the browser after it, percent-
// escaped: one address, nothing that a command line could split or quote.
TEST(LoginKey, SpacesAndQuotesReachTheBrowserEscaped) {
  HostileServer server({{"/service/loginkey", Answer(R"({"loginkey":"key with spaces 'and' \"quotes\""})")}});
  win::WinHttpTransport transport;
  FakeSettings settings(Utf16(server.BaseUrl()));
  win::ShellBrowserOpener shellBrowser;
  FakeErrorDialog errors;
  FakeLoginPrompt login;
  login.answer = std::nullopt;
  InlineProgressRunner progress;
  FakeRibbon ribbon;
  FakeDocument document;
  AddinCore core(AddinPorts{ribbon, document, transport, settings, shellBrowser, login, progress, errors});
  core.RibbonLoaded();
  BrowserCapture capture;
  ShellWatch shell;

  core.EditComments();

  const std::string expected = server.BaseUrl() +
      "/index/autologin?key=key%20with%20spaces%20%27and%27%20%22quotes%22&redirect=index/edit";
  EXPECT_EQ(std::vector<std::wstring>{std::wstring(expected.begin(), expected.end())}, ShellWatch::Files());
  EXPECT_TRUE(capture.WaitFor(expected)) << "arrived: " << (capture.Urls().empty() ? "" : capture.Urls()[0]);
  EXPECT_EQ(1u, server.RequestLines().size());
}

}  // namespace
}  // namespace quillbox::testing
