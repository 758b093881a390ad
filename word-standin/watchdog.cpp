#include "word-standin/watchdog.h"

namespace quillbox::standin {
namespace {

constexpr auto kProbePeriod = std::chrono::milliseconds(5);
constexpr UINT kLongestWaitMs = 60000;

}  // namespace

void ResponsivenessWatchdog::Start(HWND window) {
  Stop();
  longestMicroseconds_ = 0;
  probing_ = true;
  ended_ = false;
  prober_ = std::thread([this, window] { Probe(window); });
}

void ResponsivenessWatchdog::Probe(HWND window) {
  while (probing_) {
    const auto sent = std::chrono::steady_clock::now();
    DWORD_PTR answer = 0;
    ::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, kLongestWaitMs, &answer);
    const auto waited =
        std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - sent).count();
    if (waited > longestMicroseconds_) longestMicroseconds_ = waited;
    std::this_thread::sleep_for(kProbePeriod);
  }
  ended_ = true;
}

std::chrono::milliseconds ResponsivenessWatchdog::Stop() {
  probing_ = false;
  // The probe may be waiting for this very thread: answer sent messages until it has ended.
  while (!ended_) {
    MSG message;
    ::PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_SENDMESSAGE);
  }
  if (prober_.joinable()) prober_.join();
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::microseconds(longestMicroseconds_.load()));
}

}  // namespace quillbox::standin
