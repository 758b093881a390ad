#pragma once

#include <cstdint>

namespace quillbox {

// A window of the host, as the portable code carries it: the value of a Windows HWND. The
// add-in's dialogs are owned by the Word window whose ribbon the teacher used.
using WindowHandle = std::uintptr_t;

// No particular window: a dialog is then owned by the thread's active window.
constexpr WindowHandle kNoWindow = 0;

}  // namespace quillbox
