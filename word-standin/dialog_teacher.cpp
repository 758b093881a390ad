#include "word-standin/dialog_teacher.h"

#include <chrono>
#include <iterator>
#include <utility>

#include "ui/win/question_box.h"
#include "ui/win/resource_ids.h"
#include "word-standin/transcript.h"

namespace quillbox::standin {
namespace {

constexpr auto kPollPeriod = std::chrono::milliseconds(20);
// The control that holds a message box's text, on Windows and in Wine.
constexpr int kMessageBoxText = 0xFFFF;

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
    if (HWND login = FindVisibleDialog(L"Please log in...")) {
      AnswerLogin(login);
    } else if (HWND error = FindVisibleDialog(L"Error!")) {
      ReadAndCloseError(error);
    } else if (HWND question = FindVisibleDialog(win::kQuestionCaption)) {
      AnswerQuestion(question);
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

void DialogTeacher::AnswerQuestion(HWND box) {
  const bool yes = questionAnswer_;
  const std::wstring line = std::wstring(L"dialog \"") + win::kQuestionCaption + L"\" " +
                            Quoted(ControlText(box, kMessageBoxText)) + (yes ? L" yes" : L" no");
  Press(box, yes ? IDYES : IDNO);
  std::lock_guard<std::mutex> guard(reportLock_);
  report_.push_back(line);
}

}  // namespace quillbox::standin
