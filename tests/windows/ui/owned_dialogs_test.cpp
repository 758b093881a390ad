// The dialogs as the add-in shows them from a ribbon action: owned by the Word window whose
// ribbon was used, and, for the website's key request, a calling thread that keeps answering
// its windows until "Please wait..." has to come up.

#include <windows.h>

#include <atomic>
#include <string>

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

TEST(OwnedDialogs, MessageBoxSaysItsTextUnderTheProductsNameOverItsOwner) {
  const WordWindow word;
  HWND owner = nullptr;
  std::wstring text;
  {
    DialogDriver teacher([&] {
      HWND box = WaitForDialog(L"Quillbox");
      if (!box) return;
      owner = ::GetWindow(box, GW_OWNER);
      text = ItemText(box, 0xFFFF);
      ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
    win::DialogErrorDialog().Tell(u"Word did not accept the comment here.", word.Handle());
  }
  EXPECT_EQ(word.Get(), owner);
  EXPECT_EQ(L"Word did not accept the comment here.", text);
}

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
