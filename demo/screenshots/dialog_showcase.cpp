// Shows one of the add-in's dialogs with sample content for a few seconds, so that
// take-screenshots.sh can photograph it. Usage: ui_dialog_showcase login|progress|error MS

#include <windows.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "ui/win/dialog_ports.h"
#include "ui/win/login_dialog.h"
#include "ui/win/message_dialog.h"
#include "ui/win/resource_ids.h"

namespace {

using namespace quillbox;

// Finds the dialog, lets fill() type into it, and ends it after the given time.
std::thread CloseLater(const wchar_t* caption, std::chrono::milliseconds after, void (*fill)(HWND)) {
  return std::thread([=] {
    HWND dialog = nullptr;
    while (!(dialog = ::FindWindowW(L"#32770", caption)) || !::IsWindowVisible(dialog)) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (fill) fill(dialog);
    std::this_thread::sleep_for(after);
    ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  });
}

void TypeCredentials(HWND dialog) {
  ::SetDlgItemTextW(dialog, IDC_LOGIN_EMAIL, L"j.smith@school.example");
  ::SetDlgItemTextW(dialog, IDC_LOGIN_PASSWORD, L"secret");
}

}  // namespace

int main(int argc, char** argv) {
  const std::string which = argc > 1 ? argv[1] : "login";
  const std::chrono::milliseconds shownFor(argc > 2 ? std::atoi(argv[2]) : 3000);

  if (which == "login") {
    std::thread closer = CloseLater(L"Please log in...", shownFor, &TypeCredentials);
    win::RunLoginDialog(nullptr, L"http://127.0.0.1:8080");
    closer.join();
  } else if (which == "progress") {
    win::DialogProgressRunner().Run([&] { std::this_thread::sleep_for(shownFor); });
  } else if (which == "error") {
    std::thread closer = CloseLater(L"Error!", shownFor, nullptr);
    win::RunMessageDialog(nullptr,
                          L"Your subscription has expired. Renew it on the website to download "
                          L"your subjects & comments again.",
                          L"http://127.0.0.1:8080/index/renew?from=addin&step=1");
    closer.join();
  } else {
    return 2;
  }
  return 0;
}
