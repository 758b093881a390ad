#include "server/win/com/module_state.h"

#include <atomic>

namespace quillbox::win {
namespace {

std::atomic<LONG> lockCount{0};
ModuleMutex moduleMutex;

}  // namespace

void LockModule() noexcept { ++lockCount; }
void UnlockModule() noexcept { --lockCount; }
LONG ModuleLockCount() noexcept { return lockCount.load(); }
ModuleMutex& TheModuleMutex() noexcept { return moduleMutex; }

}  // namespace quillbox::win
