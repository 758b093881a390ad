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

bool WaitWhileHandlingMessages(HANDLE worker, DWORD milliseconds) noexcept {
  const ULONGLONG deadline = ::GetTickCount64() + milliseconds;
  for (;;) {
    const ULONGLONG now = ::GetTickCount64();
    const DWORD left = now < deadline ? static_cast<DWORD>(deadline - now) : 0;
    const DWORD woke = ::MsgWaitForMultipleObjectsEx(1, &worker, left, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    if (woke == WAIT_OBJECT_0) return true;
    if (woke != WAIT_OBJECT_0 + 1) return false;  // the time has passed (or the wait failed)
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        ::PostQuitMessage(static_cast<int>(message.wParam));
        return false;
      }
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
  }
}

}  // namespace quillbox::win
