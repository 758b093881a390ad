#pragma once
// The worker thread behind "Please wait...", and a wait for it that keeps the calling thread's
// windows answering.

#include <windows.h>

#include <functional>

#include "common/win/unique_handle.h"

namespace quillbox::win {

// Starts a thread that runs work once. work must stay alive until the thread has ended; any
// exception it throws ends the thread quietly rather than the process. Returns the thread's
// handle (waitable), or an empty handle when no thread could be started.
UniqueKernelHandle StartWorkerThread(const std::function<void()>& work) noexcept;

// Waits up to milliseconds for worker (a waitable handle) to end while the calling thread goes
// on handling its window messages, so that its windows keep answering. True when the worker
// has ended; false when the time has passed first or the thread was asked to quit (the quit
// message is posted again for the thread's own loop).
bool WaitWhileHandlingMessages(HANDLE worker, DWORD milliseconds) noexcept;

}  // namespace quillbox::win
