#include "ui/win/worker_thread.h"

#include <process.h>

#include "common/win/com_boundary.h"

namespace quillbox::win {
namespace {

unsigned __stdcall WorkerEntry(void* argument) {
  const auto& work = *static_cast<const std::function<void()>*>(argument);
  ComBoundary([&] { work(); });
  return 0;
}

}  // namespace

UniqueKernelHandle StartWorkerThread(const std::function<void()>& work) noexcept {
  // _beginthreadex rather than CreateThread, so the C runtime is set up for the thread.
  const uintptr_t thread = ::_beginthreadex(nullptr, 0, &WorkerEntry,
                                            const_cast<std::function<void()>*>(&work), 0, nullptr);
  return UniqueKernelHandle(reinterpret_cast<HANDLE>(thread));
}

}  // namespace quillbox::win
