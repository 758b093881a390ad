#include "word-standin/dialog_teacher.h"

#include <chrono>
#include <iterator>
#include <utility>

#include "ui/win/resource_ids.h"
#include "word-standin/transcript.h"

namespace quillbox::standin {
namespace {

constexpr auto kPollPeriod = std::chrono::milliseconds(20);
constexpr wchar_t kLoginCaption[] = L"Please log in...";
constexpr wchar_t kErrorCaption[] = L"Error!";
constexpr wchar_t kMessageBoxCaption[] = L"Quillbox";

HWND FindVisibleDialog(const wchar_t* caption) {
  HWND dialog = ::FindWindowW(L"#32770", caption);
  return dialog && ::IsWindowVisible(dialog) ? dialog : nullptr;
}

std::wstring ControlText(HWND dialog, int control) {
  wchar_t text[1024] = L"";
  ::GetDlgItemTextW(dialog, control, text, static_cast<int>(std::size(text)));
  return text;
}

// The dialog runs its own modal loop on the add-in's thread, which handles the click.
void Press(HWND dialog, int button) { ::SendMessageW(::GetDlgItem(dialog, button), BM_CLICK, 0, 0); }

}  // namespace

void DialogTeacher::SetLoginAnswer(std::optional<LoginAnswer> answer) { loginAnswer_ = std::move(answer); }

bool DialogTeacher::Answers(const std::wstring& caption) {
  return caption == kLoginCaption || caption == kErrorCaption || caption == kMessageBoxCaption;
}

void DialogTeacher::Hold(std::vector<std::wstring> captions) {
  std::lock_guard<std::mutex> guard(holdLock_);
  held_ = std::move(captions);
}

HWND DialogTeacher::FindUnheldDialog(const wchar_t* caption) {
  {
    std::lock_guard<std::mutex> guard(holdLock_);
    for (const std::wstring& held : held_) {
      if (held == caption) return nullptr;
    }
  }
  return FindVisibleDialog(caption);
}

void DialogTeacher::Start() {
  Stop();
  watching_ = true;
  watcher_ = std::thread([this] { Watch(); });
}

std::vector<std::wstring> DialogTeacher::Stop() {
  watching_ = false;
  if (watcher_.joinable()) watcher_.join();
  std::lock_guard<std::mutex> guard(reportLock_);
  return std::exchange(report_, {});
}

void DialogTeacher::Watch() {
  while (watching_) {
    if (HWND login = FindUnheldDialog(kLoginCaption)) {
      AnswerLogin(login);
    } else if (HWND error = FindUnheldDialog(kErrorCaption)) {
      ReadAndCloseError(error);
    } else if (HWND message = FindUnheldDialog(kMessageBoxCaption)) {
      ReadAndCloseMessageBox(message);
    }
    std::this_thread::sleep_for(kPollPeriod);
  }
}

void DialogTeacher::AnswerLogin(HWND dialog) {
  std::wstring line = L"dialog \"Please log in...\" ";
  if (loginAnswer_) {
    ::SetDlgItemTextW(dialog, IDC_LOGIN_EMAIL, loginAnswer_->email.c_str());
    ::SetDlgItemTextW(dialog, IDC_LOGIN_PASSWORD, loginAnswer_->password.c_str());
    line += L"answered " + loginAnswer_->email;
    Press(dialog, IDOK);
  } else {
    line += L"cancelled";
    Press(dialog, IDCANCEL);
  }
  std::lock_guard<std::mutex> guard(reportLock_);
  report_.push_back(line);
}

void DialogTeacher::ReadAndCloseError(HWND dialog) {
  std::wstring line = L"dialog \"Error!\" " + Quoted(ControlText(dialog, IDC_MESSAGE_TEXT));
  if (::IsWindowVisible(::GetDlgItem(dialog, IDC_MESSAGE_LINK))) {
    line += L" link " + Quoted(ControlText(dialog, IDC_MESSAGE_LINK));
  }
  Press(dialog, IDOK);
  std::lock_guard<std::mutex> guard(reportLock_);
  report_.push_back(line);
}

// A message box keeps its text in a static control with the id 0xFFFF; its one button is OK,
// or, for the add-in's questions, Yes and No, answered as the script said.
void DialogTeacher::ReadAndCloseMessageBox(HWND dialog) {
  constexpr int kMessageBoxText = 0xFFFF;
  std::wstring line = L"message box \"Quillbox\" " + Quoted(ControlText(dialog, kMessageBoxText));
  if (::GetDlgItem(dialog, IDYES)) {
    const bool yes = questionAnswer_;
    line += yes ? L" yes" : L" no";
    Press(dialog, yes ? IDYES : IDNO);
  } else {
    Press(dialog, ::GetDlgItem(dialog, IDOK) ? IDOK : IDCANCEL);
  }
  std::lock_guard<std::mutex> guard(reportLock_);
  report_.push_back(line);
}

}  // namespace quillbox::standin
