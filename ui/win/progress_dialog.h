#pragma once
// "Please wait...": a modal dialog with a running marquee that stays up while a worker thread
// runs and closes itself once the thread has ended. The teacher cannot close it.

#include <windows.h>

namespace quillbox::win {

// The first test of the worker comes after a second, so the dialog never just flashes; the
// following ones every tenth of a second.
constexpr UINT kFirstWorkerTestMs = 1000;
constexpr UINT kWorkerTestPeriodMs = 100;

// Shows the dialog until worker (a waitable thread handle, still owned by the caller) has
// ended, looking at it first after firstTestMs. Returns 2 then, or -1 when the dialog could
// not be created.
INT_PTR RunProgressDialog(HWND owner, HANDLE worker, UINT firstTestMs = kFirstWorkerTestMs);

}  // namespace quillbox::win
