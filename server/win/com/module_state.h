#pragma once
// What the library keeps while it is loaded: the lock count that DllCanUnloadNow reads (live
// add-in objects, LockServer locks and references held to the class factory) and the one
// lock under which shared objects (the class factory, the type information) are created once.

#include <windows.h>

namespace quillbox::win {

void LockModule() noexcept;
void UnlockModule() noexcept;
LONG ModuleLockCount() noexcept;

// A slim reader/writer lock used exclusively; usable with std::lock_guard. Needs no
// initialisation at load time, so DllMain has nothing to do for it.
class ModuleMutex {
 public:
  void lock() noexcept { ::AcquireSRWLockExclusive(&lock_); }
  void unlock() noexcept { ::ReleaseSRWLockExclusive(&lock_); }

 private:
  SRWLOCK lock_ = SRWLOCK_INIT;
};

ModuleMutex& TheModuleMutex() noexcept;

}  // namespace quillbox::win
