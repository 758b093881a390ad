#include "bench/scale/win/login_answerer.h"

#include <chrono>

#include "bench/scale/win/stopwatch.h"
#include "ui/win/resource_ids.h"

namespace quillbox::bench {
namespace {

HWND VisibleDialog(const wchar_t* caption) {
  HWND dialog = ::FindWindowW(L"#32770", caption);
  return dialog && ::IsWindowVisible(dialog) ? dialog : nullptr;
}

}  // namespace

LoginAnswerer::LoginAnswerer(std::wstring email, std::wstring password)
    : email_(std::move(email)), password_(std::move(password)), watcher_([this] { Watch(); }) {}

LoginAnswerer::~LoginAnswerer() { Stop(); }

void LoginAnswerer::Stop() {
  watching_ = false;
  if (watcher_.joinable()) watcher_.join();
}

void LoginAnswerer::Watch() {
  while (watching_) {
    if (HWND login = VisibleDialog(L"Please log in..."); login && answeredAt_ == 0) {
      ::SetDlgItemTextW(login, IDC_LOGIN_EMAIL, email_.c_str());
      ::SetDlgItemTextW(login, IDC_LOGIN_PASSWORD, password_.c_str());
      answeredAt_ = NowMs();
      // The dialog's own modal loop, on the add-in's thread, handles the click.
      ::SendMessageW(::GetDlgItem(login, IDOK), BM_CLICK, 0, 0);
    } else if (HWND error = VisibleDialog(L"Error!")) {
      wchar_t text[1024] = L"";
      ::GetDlgItemTextW(error, IDC_MESSAGE_TEXT, text, 1024);
      errorText_ = text;
      ::SendMessageW(::GetDlgItem(error, IDOK), BM_CLICK, 0, 0);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

}  // namespace quillbox::bench
