// The website buttons end to end: the core asks the loopback server for a login key through
// the WinHTTP transport and hands the address to the shell, whose browser is a script that
// Wine's winebrowser runs and that writes down each address it is given.

#include <gtest/gtest.h>
#include <windows.h>

#include <optional>

#include "common/text_utf.h"
#include "common/win/unique_handle.h"
#include "loopback_servers.h"
#include "service/win/shell_browser_opener.h"
#include "service/win/winhttp_transport.h"
#include "tests/support/fakes.h"

namespace quillbox::testing {
namespace {

using win::ShellBrowserOpener;
using win::WinHttpTransport;

// Points Wine's browser setting (HKCU\Software\Wine\WineBrowser, "Browsers") at the
// stand-in browser for the object's lifetime, and puts back what was there before.
class StandInBrowser {
 public:
  StandInBrowser() {
    ::RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Wine\\WineBrowser", 0, nullptr, 0,
                      KEY_READ | KEY_WRITE, nullptr, key_.Put(), nullptr);
    if (!key_) return;
    wchar_t previous[2048];
    DWORD size = sizeof(previous);
    DWORD type = REG_NONE;
    if (::RegQueryValueExW(key_.Get(), kValue, nullptr, &type, reinterpret_cast<BYTE*>(previous), &size) ==
        ERROR_SUCCESS) {
      previous_ = std::wstring(previous, size / sizeof(wchar_t));
      previousType_ = type;
    }
    const std::u16string script = Utf8ToUtf16(Servers().browserScript);
    installed_ = ::RegSetValueExW(key_.Get(), kValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(script.c_str()),
                                  static_cast<DWORD>((script.size() + 1) * sizeof(char16_t))) == ERROR_SUCCESS;
  }
  ~StandInBrowser() {
    if (!key_) return;
    if (previous_) {
      ::RegSetValueExW(key_.Get(), kValue, 0, previousType_, reinterpret_cast<const BYTE*>(previous_->data()),
                       static_cast<DWORD>(previous_->size() * sizeof(wchar_t)));
    } else {
      ::RegDeleteValueW(key_.Get(), kValue);
    }
  }
  StandInBrowser(const StandInBrowser&) = delete;
  StandInBrowser& operator=(const StandInBrowser&) = delete;

  bool Installed() const { return installed_; }

  // The next address the browser is given after the capture file had `offset` bytes, or
  // nothing when none arrives within the time limit.
  static std::optional<std::string> NextAddress(size_t offset) {
    for (int waited = 0; waited < 15000; waited += 50) {
      const std::string captured = ReadWholeFile(Servers().browserCapture);
      const size_t end = captured.find('\n', offset);
      if (captured.size() > offset && end != std::string::npos) return captured.substr(offset, end - offset);
      ::Sleep(50);
    }
    return std::nullopt;
  }
  static size_t CapturedBytes() { return ReadWholeFile(Servers().browserCapture).size(); }

 private:
  static constexpr wchar_t kValue[] = L"Browsers";
  win::UniqueRegKey key_;
  std::optional<std::wstring> previous_;
  DWORD previousType_ = REG_SZ;
  bool installed_ = false;
};

// Served by the plain loopback server: {"loginkey":"k3y+/=&x"} at this base URL, nothing at
// the other. The key goes into the address percent-escaped.
constexpr char kBaseWithKey[] = "/website-with-key";
constexpr char kBaseWithoutKey[] = "/website-without-key";
constexpr char kLoginKey[] = "k3y%2B%2F%3D%26x";

TEST(WebsiteLaunchTest, ShellOpenerHandsTheAddressToTheBrowser) {
  const StandInBrowser browser;
  ASSERT_TRUE(browser.Installed());
  const std::string address = "http://127.0.0.1:9/" + UniqueToken("shell") + "?key=a+b/c=&redirect=index/edit";
  const size_t offset = StandInBrowser::CapturedBytes();
  ShellBrowserOpener().Open(Utf8ToUtf16(address));
  EXPECT_EQ(StandInBrowser::NextAddress(offset), address);
}

TEST(WebsiteLaunchTest, ButtonsOpenTheAddressOfTheirPage) {
  const StandInBrowser browser;
  ASSERT_TRUE(browser.Installed());
  const std::string server = HttpBase(Servers().plain);
  struct Case {
    const char* name;
    const char* basePath;
    void (AddinCore::*button)(WindowHandle);
    std::string expectedAddress;
  };
  const Case cases[] = {
      {"visit with key", kBaseWithKey, &AddinCore::VisitWebsite,
       server + kBaseWithKey + "/index/autologin?key=" + kLoginKey + "&redirect="},
      {"edit with key", kBaseWithKey, &AddinCore::EditComments,
       server + kBaseWithKey + "/index/autologin?key=" + kLoginKey + "&redirect=index/edit"},
      {"visit without key", kBaseWithoutKey, &AddinCore::VisitWebsite, server + kBaseWithoutKey + "/"},
      {"edit without key", kBaseWithoutKey, &AddinCore::EditComments,
       server + kBaseWithoutKey + "/index/edit"},
  };
  for (const Case& button : cases) {
    SCOPED_TRACE(button.name);
    WinHttpTransport transport;
    ShellBrowserOpener opener;
    FakeSettings settings(Utf8ToUtf16(server + button.basePath));
    CoreWithFakes fixture(transport, settings, opener);
    fixture.core.RibbonLoaded();
    const std::string keyRequest =
        std::string("GET ") + button.basePath + "/service/loginkey?user=&password= HTTP/1.1\n";
    const size_t keyRequestsBefore = CountInFile(Servers().plain.log, keyRequest);
    const size_t offset = StandInBrowser::CapturedBytes();

    (fixture.core.*button.button)(kNoWindow);

    EXPECT_EQ(StandInBrowser::NextAddress(offset), button.expectedAddress);
    EXPECT_EQ(CountInFile(Servers().plain.log, keyRequest), keyRequestsBefore + 1);
    EXPECT_TRUE(fixture.errors.shown.empty());
  }
}

TEST(WebsiteLaunchTest, LoginKeyRequestCarriesTheLastLoginAttemptsCredentials) {
  const StandInBrowser browser;
  ASSERT_TRUE(browser.Installed());
  const std::string server = HttpBase(Servers().plain);
  const std::string user = UniqueToken("teacher");
  WinHttpTransport transport;
  ShellBrowserOpener opener;
  FakeSettings settings(Utf8ToUtf16(server + kBaseWithKey));
  CoreWithFakes fixture(transport, settings, opener, LoginCredentials{Utf8ToUtf16(user), u"pw"});
  fixture.core.RibbonLoaded();
  // The server has no subjects at this base URL, so the login fails...
  fixture.core.LogIn();
  ASSERT_FALSE(fixture.core.IsLoggedIn());
  const size_t offset = StandInBrowser::CapturedBytes();

  // ...and the website button still sends what was typed.
  fixture.core.VisitWebsite();

  std::string escapedUser;  // the token's hyphens are escaped in the query string
  for (char c : user) escapedUser += c == '-' ? std::string("%2d") : std::string(1, c);
  const std::string keyRequest = std::string("GET ") + kBaseWithKey + "/service/loginkey?user=" +
                                 escapedUser + "&password=pw HTTP/1.1\n";
  EXPECT_FALSE(LogEntryStartingWith(Servers().plain.log, keyRequest).empty())
      << keyRequest << ReadWholeFile(Servers().plain.log);
  EXPECT_EQ(StandInBrowser::NextAddress(offset),
            server + kBaseWithKey + "/index/autologin?key=" + kLoginKey + "&redirect=");
}

// No browser is associated with the address's scheme (a made-up one here), as on a machine
// without a browser set up: the shell fails, and the message shows the page's plain address.
TEST(WebsiteLaunchTest, BrowserThatCannotStartShowsThePlainAddress) {
  const std::u16string base = u"quillbox-no-browser://comments.school.test";
  FakeTransport http;
  http.Reply("/service/loginkey", R"({"loginkey":"k3y"})");
  FakeErrorDialog shellErrors;
  ShellBrowserOpener opener(shellErrors);
  FakeSettings settings(base);
  CoreWithFakes fixture(http, settings, opener);
  fixture.core.RibbonLoaded();

  fixture.core.EditComments();

  ASSERT_EQ(shellErrors.shown.size(), 1u);
  const std::u16string& message = shellErrors.shown[0].first;
  EXPECT_EQ(message.substr(message.rfind(u'\n') + 1), base + u"/index/edit");
  EXPECT_EQ(message.find(u"k3y"), std::u16string::npos);
}

}  // namespace
}  // namespace quillbox::testing
