#pragma once
// Answers the add-in's login dialog from a second thread while a login runs, checking every
// millisecond so the answer adds as little as possible to the timing, and notes when it
// pressed OK. An error dialog is closed and its text kept, so a refused login cannot hang the
// benchmark.

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

namespace quillbox::bench {

class LoginAnswerer {
 public:
  LoginAnswerer(std::wstring email, std::wstring password);
  ~LoginAnswerer();
  LoginAnswerer(const LoginAnswerer&) = delete;
  LoginAnswerer& operator=(const LoginAnswerer&) = delete;

  // When OK was pressed (NowMs), or 0 if the dialog never showed.
  double AnsweredAtMs() const { return answeredAt_; }
  // The text of the last error dialog, empty when none showed.
  const std::wstring& ErrorText() const { return errorText_; }

  // Ends the watch; the destructor does it too.
  void Stop();

 private:
  void Watch();

  std::wstring email_;
  std::wstring password_;
  std::atomic<bool> watching_{true};
  std::atomic<double> answeredAt_{0};
  std::wstring errorText_;
  std::thread watcher_;
};

}  // namespace quillbox::bench
