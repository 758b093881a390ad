#pragma once
// How long Word's window could not answer a message while an action ran. Windows marks a
// window "Not Responding" when its thread answers no message for 5 s; the watchdog measures the
// same thing from outside, as Windows does: a thread of its own sends the window WM_NULL with
// SendMessageTimeout every few milliseconds and keeps the longest time a send waited.

#include <windows.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace quillbox::standin {

class ResponsivenessWatchdog {
 public:
  ResponsivenessWatchdog() = default;
  ~ResponsivenessWatchdog() { Stop(); }
  ResponsivenessWatchdog(const ResponsivenessWatchdog&) = delete;
  ResponsivenessWatchdog& operator=(const ResponsivenessWatchdog&) = delete;

  // Starts probing window, which belongs to the calling thread.
  void Start(HWND window);
  // On the window's thread: answers the probe until it has ended, and returns the longest wait.
  std::chrono::milliseconds Stop();

 private:
  void Probe(HWND window);

  std::thread prober_;
  std::atomic<bool> probing_{false};
  std::atomic<bool> ended_{true};
  std::atomic<long long> longestMicroseconds_{0};
};

}  // namespace quillbox::standin
