#pragma once
// Sets the calling thread's locale for the lifetime of the guard and puts the old one back
// afterwards, whatever the outcome. Registration runs under the system default locale.

#include <windows.h>

namespace quillbox::win {

class ThreadLocaleGuard {
 public:
  explicit ThreadLocaleGuard(LCID locale) noexcept : saved_(::GetThreadLocale()) { ::SetThreadLocale(locale); }
  ~ThreadLocaleGuard() { ::SetThreadLocale(saved_); }
  ThreadLocaleGuard(const ThreadLocaleGuard&) = delete;
  ThreadLocaleGuard& operator=(const ThreadLocaleGuard&) = delete;

 private:
  LCID saved_;
};

}  // namespace quillbox::win
