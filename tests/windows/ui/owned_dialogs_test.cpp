// The website's key request as the add-in runs it: the calling thread keeps answering its
// windows until "Please wait..." has to come up, over the Word window whose ribbon was used.

#include <windows.h>

#include <atomic>

#include <gtest/gtest.h>

#include "common/win/unique_handle.h"
#include "tests/windows/ui/dialog_driver.h"
#include "ui/win/dialog_ports.h"

namespace quillbox::testing {
namespace {

constexpr wchar_t kProgressCaption[] = L"Please wait...";

// A top-level window of the test thread, standing for one of Word's document windows.
class WordWindow {
 public:
  WordWindow()
      : window_(::CreateWindowExW(0, L"STATIC", L"Document2 - Word", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr,
                                  nullptr, nullptr, nullptr)) {}
  ~WordWindow() { ::DestroyWindow(window_); }
  WordWindow(const WordWindow&) = delete;
  WordWindow& operator=(const WordWindow&) = delete;
  HWND Get() const { return window_; }
  WindowHandle Handle() const { return reinterpret_cast<WindowHandle>(window_); }

 private:
  HWND window_;
};

// Work that needs an answer from the calling thread's window gets it at once (a thread
// blocked in a wait would answer only from "Please wait..." a second later), and ends with no
// dialog shown; slow work then shows "Please wait..." over the given owner until it ends.
TEST(OwnedDialogs, PleaseWaitComesOnlyForSlowWorkAndTheThreadAnswersMeanwhile) {
  const WordWindow word;
  std::atomic<bool> sawDialog{false};
  std::atomic<bool> running{true};
  bool answered = false;
  {
    DialogDriver watcher([&] {
      while (running) {
        if (::FindWindowW(L"#32770", kProgressCaption)) sawDialog = true;
        ::Sleep(5);
      }
    });
    const auto askTheWindow = [&] {
      DWORD_PTR answer = 0;
      answered = ::SendMessageTimeoutW(word.Get(), WM_NULL, 0, 0, SMTO_NORMAL, 10000, &answer) != 0;
    };
    EXPECT_TRUE(win::DialogProgressRunner().Run(askTheWindow, word.Handle(), ProgressShown::kWhenSlow));
    running = false;
  }
  EXPECT_TRUE(answered);
  EXPECT_FALSE(sawDialog);

  win::UniqueKernelHandle release(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
  HWND owner = nullptr;
  {
    DialogDriver teacher([&] {
      if (HWND dialog = WaitForDialog(kProgressCaption)) owner = ::GetWindow(dialog, GW_OWNER);
      ::SetEvent(release.Get());
    });
    EXPECT_TRUE(win::DialogProgressRunner().Run([&] { ::WaitForSingleObject(release.Get(), INFINITE); },
                                                word.Handle(), ProgressShown::kWhenSlow));
  }
  EXPECT_EQ(word.Get(), owner);
}

}  // namespace
}  // namespace quillbox::testing
