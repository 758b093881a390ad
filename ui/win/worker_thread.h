#pragma once
// The worker thread behind "Please wait...".

#include <functional>

#include "common/win/unique_handle.h"

namespace quillbox::win {

// Starts a thread that runs work once. work must stay alive until the thread has ended; any
// exception it throws ends the thread quietly rather than the process. Returns the thread's
// handle (waitable), or an empty handle when no thread could be started.
UniqueKernelHandle StartWorkerThread(const std::function<void()>& work) noexcept;

}  // namespace quillbox::win
