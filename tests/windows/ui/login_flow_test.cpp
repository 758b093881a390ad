// The core's login flow through the real dialogs: a failing request shows the progress dialog,
// then the error dialog once, only after the progress dialog has gone.

#include <gtest/gtest.h>

#include <atomic>

#include "addin/addin_core.h"
#include "dialog_driver.h"
#include "service/service_client.h"
#include "tests/support/fakes.h"
#include "ui/win/dialog_ports.h"
#include "ui/win/resource_ids.h"

namespace quillbox::testing {
namespace {

// What the teacher saw, in order.
struct Observed {
  int progressShown = 0;
  int errorsShown = 0;
  bool errorWhileProgressUp = false;
  std::wstring errorText;
};

// Logs in, watches the dialogs that follow and closes each error dialog, until stop is set.
void PlayTeacher(Observed& seen, const std::atomic<bool>& stop) {
  HWND login = WaitForDialog(L"Please log in...");
  if (!login) return;
  ::SetDlgItemTextW(login, IDC_LOGIN_EMAIL, L"teacher@school.example");
  ::SetDlgItemTextW(login, IDC_LOGIN_PASSWORD, L"secret");
  ::SendMessageW(::GetDlgItem(login, IDOK), BM_CLICK, 0, 0);

  HWND lastProgress = nullptr;
  while (!stop) {
    HWND progress = ::FindWindowW(L"#32770", L"Please wait...");
    if (progress && progress != lastProgress && ::IsWindowVisible(progress)) {
      lastProgress = progress;
      ++seen.progressShown;
    }
    HWND error = ::FindWindowW(L"#32770", L"Error!");
    if (error && ::IsWindowVisible(error)) {
      ++seen.errorsShown;
      seen.errorWhileProgressUp |= IsShown(progress);
      seen.errorText = ItemText(error, IDC_MESSAGE_TEXT);
      PressKey(error, VK_RETURN);
      WaitUntilGone(error);
    }
    std::this_thread::sleep_for(5ms);
  }
}

TEST(LoginFlow, FailingRequestShowsOneErrorAfterTheProgressDialog) {
  FakeRibbon ribbon;
  FakeDocument document;
  FakeTransport http;  // answers nothing, as a service that cannot be reached
  FakeSettings settings(u"http://127.0.0.1:9");
  FakeBrowser browser;
  win::DialogLoginPrompt login;
  win::DialogProgressRunner progress;
  win::DialogErrorDialog errors;
  AddinCore core(AddinPorts{ribbon, document, http, settings, browser, login, progress, errors});
  core.RibbonLoaded();

  Observed seen;
  std::atomic<bool> stop{false};
  {
    DialogDriver teacher([&] { PlayTeacher(seen, stop); });
    core.LogIn();  // returns once every dialog it showed has closed
    stop = true;
  }
  EXPECT_EQ(http.Requests().size(), 1u);
  EXPECT_EQ(seen.progressShown, 1);
  EXPECT_EQ(seen.errorsShown, 1);
  EXPECT_FALSE(seen.errorWhileProgressUp);
  EXPECT_EQ(seen.errorText, std::wstring(reinterpret_cast<const wchar_t*>(messages::kProxyOrFirewall)));
  EXPECT_FALSE(core.IsLoggedIn());
}

}  // namespace
}  // namespace quillbox::testing
