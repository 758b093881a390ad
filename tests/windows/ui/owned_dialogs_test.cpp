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

// Work that ends at once shows no dialog; slow work first leaves the calling thread answering
// sent messages, then shows "Please wait..." over the given owner until it ends.
TEST(OwnedDialogs, PleaseWaitComesOnlyForSlowWorkAndTheThreadAnswersMeanwhile) {
  const WordWindow word;
  std::atomic<bool> sawDialog{false};
  std::atomic<bool> quickDone{false};
  {
    DialogDriver watcher([&] {
      while (!quickDone) {
        if (::FindWindowW(L"#32770", kProgressCaption)) sawDialog = true;
        ::Sleep(5);
      }
    });
    EXPECT_TRUE(win::DialogProgressRunner().Run([] {}, word.Handle(), ProgressShown::kWhenSlow));
    quickDone = true;
  }
  EXPECT_FALSE(sawDialog);

  win::UniqueKernelHandle release(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
  bool answeredWhileWaiting = false;
  HWND owner = nullptr;
  {
    DialogDriver teacher([&] {
      DWORD_PTR answer = 0;
      answeredWhileWaiting =
          ::SendMessageTimeoutW(word.Get(), WM_NULL, 0, 0, SMTO_NORMAL, 5000, &answer) != 0 &&
          !::FindWindowW(L"#32770", kProgressCaption);
      if (HWND dialog = WaitForDialog(kProgressCaption)) owner = ::GetWindow(dialog, GW_OWNER);
      ::SetEvent(release.Get());
    });
    EXPECT_TRUE(win::DialogProgressRunner().Run([&] { ::WaitForSingleObject(release.Get(), INFINITE); },
                                                word.Handle(), ProgressShown::kWhenSlow));
  }
  EXPECT_TRUE(answeredWhileWaiting);
  EXPECT_EQ(word.Get(), owner);
}

}  // namespace
}  // namespace quillbox::testing
