#pragma once
// Helpers that play the teacher: a second thread finds the add-in's dialogs by caption and
// types into them or presses keys, while the test thread sits in the modal loop. Also catches
// the URLs that ShellExecuteW hands to the browser, through Wine's browser setting.

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/wine_path.h"

namespace quillbox::testing {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// A visible top-level dialog with this caption, waited for; null when none showed in time.
HWND WaitForDialog(const wchar_t* caption, std::chrono::milliseconds timeout = 10s);
// True once window is destroyed or hidden; false when it is still shown after timeout.
bool WaitUntilGone(HWND window, std::chrono::milliseconds timeout = 10s);
bool IsShown(HWND window);

std::wstring ItemText(HWND dialog, int id);
void PressKey(HWND window, UINT virtualKey);
void PressAltF4(HWND dialog);
// Presses and releases the left button at a client point of control, as posted input.
void ClickAt(HWND control, POINT client);
// Ends a dialog that a failed test left open, so the test thread is not stuck in it.
void CloseIfOpen(const wchar_t* caption);

// Runs the teacher's part on its own thread; the destructor waits for it.
class DialogDriver {
 public:
  explicit DialogDriver(std::function<void()> script) : thread_(std::move(script)) {}
  ~DialogDriver() { thread_.join(); }
  DialogDriver(const DialogDriver&) = delete;
  DialogDriver& operator=(const DialogDriver&) = delete;

 private:
  std::thread thread_;
};

// While alive, Wine's browser launcher runs a script that appends each URL it gets to a file.
class BrowserCapture {
 public:
  BrowserCapture();
  ~BrowserCapture();
  BrowserCapture(const BrowserCapture&) = delete;
  BrowserCapture& operator=(const BrowserCapture&) = delete;

  // Waits until url has arrived; false when it did not within the timeout.
  bool WaitFor(const std::string& url, std::chrono::milliseconds timeout = 10s) const;
  std::vector<std::string> Urls() const;
};


}  // namespace quillbox::testing
