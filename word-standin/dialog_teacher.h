#pragma once
// The teacher at the add-in's dialogs while a ribbon action runs: a second thread watches for
// them, answers the login dialog with the e-mail address and password the script gave (or
// cancels it), and reads and closes every error dialog and every message box of the add-in
// (caption "Quillbox"). The "Please wait..." dialog closes by
// itself. What was answered and read is reported afterwards, on the caller's thread.

#include <windows.h>

#include <atomic>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace quillbox::standin {

struct LoginAnswer {
  std::wstring email;
  std::wstring password;
};

class DialogTeacher {
 public:
  // The answer for the next login dialog; nothing means Cancel.
  void SetLoginAnswer(std::optional<LoginAnswer> answer);
  // The button pressed at the add-in's Yes/No message boxes: Yes when true.
  void SetQuestionAnswer(bool yes) { questionAnswer_ = yes; }

  // Whether the teacher answers dialogs with this caption (the others close by themselves).
  static bool Answers(const std::wstring& caption);

  // Dialogs with these captions are left alone until the hold changes (a nested action waits
  // for them on Word's thread).
  void Hold(std::vector<std::wstring> captions);

  // Watches for dialogs until Stop; at most one watch at a time.
  void Start();
  // Ends the watch and returns what happened at the dialogs, one line each.
  std::vector<std::wstring> Stop();

 private:
  void Watch();
  void AnswerLogin(HWND dialog);
  void ReadAndCloseError(HWND dialog);
  void ReadAndCloseMessageBox(HWND dialog);
  HWND FindUnheldDialog(const wchar_t* caption);

  std::optional<LoginAnswer> loginAnswer_;
  std::atomic<bool> questionAnswer_{false};
  std::thread watcher_;
  std::atomic<bool> watching_{false};
  std::mutex reportLock_;
  std::vector<std::wstring> report_;
  std::mutex holdLock_;
  std::vector<std::wstring> held_;
};

}  // namespace quillbox::standin
