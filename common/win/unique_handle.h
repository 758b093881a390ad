#pragma once
// One small owning type per Windows handle kind, built from the function that closes it.
// A raw handle never outlives the statement that opened it: wrap it at once.

#include <windows.h>

#include <utility>

namespace quillbox::win {

template <typename Traits>
class UniqueHandle {
 public:
  using Handle = typename Traits::Handle;

  UniqueHandle() noexcept : handle_(Traits::Invalid()) {}
  explicit UniqueHandle(Handle handle) noexcept : handle_(handle) {}
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  ~UniqueHandle() { Reset(); }

  Handle Get() const noexcept { return handle_; }
  explicit operator bool() const noexcept { return handle_ != Traits::Invalid(); }

  Handle Release() noexcept { return std::exchange(handle_, Traits::Invalid()); }
  void Reset(Handle handle = Traits::Invalid()) noexcept {
    Handle old = std::exchange(handle_, handle);
    if (old != Traits::Invalid()) Traits::Close(old);
  }
  // For APIs that return the handle through an out parameter; closes any current handle.
  Handle* Put() noexcept {
    Reset();
    return &handle_;
  }

 private:
  Handle handle_;
};

struct RegKeyTraits {
  using Handle = HKEY;
  static HKEY Invalid() noexcept { return nullptr; }
  static void Close(HKEY key) noexcept { ::RegCloseKey(key); }
};
using UniqueRegKey = UniqueHandle<RegKeyTraits>;

// Thread, event and file handles (null when absent; INVALID_HANDLE_VALUE is not used by the
// calls this project makes).
struct KernelHandleTraits {
  using Handle = HANDLE;
  static HANDLE Invalid() noexcept { return nullptr; }
  static void Close(HANDLE handle) noexcept { ::CloseHandle(handle); }
};
using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;

struct GdiObjectTraits {
  using Handle = HGDIOBJ;
  static HGDIOBJ Invalid() noexcept { return nullptr; }
  static void Close(HGDIOBJ object) noexcept { ::DeleteObject(object); }
};
using UniqueGdiObject = UniqueHandle<GdiObjectTraits>;

struct IconTraits {
  using Handle = HICON;
  static HICON Invalid() noexcept { return nullptr; }
  static void Close(HICON icon) noexcept { ::DestroyIcon(icon); }
};
using UniqueIcon = UniqueHandle<IconTraits>;

struct ModuleTraits {
  using Handle = HMODULE;
  static HMODULE Invalid() noexcept { return nullptr; }
  static void Close(HMODULE module) noexcept { ::FreeLibrary(module); }
};
using UniqueModule = UniqueHandle<ModuleTraits>;

struct ActCtxTraits {
  using Handle = HANDLE;
  static HANDLE Invalid() noexcept { return INVALID_HANDLE_VALUE; }
  static void Close(HANDLE context) noexcept { ::ReleaseActCtx(context); }
};
using UniqueActCtx = UniqueHandle<ActCtxTraits>;

struct WindowTraits {
  using Handle = HWND;
  static HWND Invalid() noexcept { return nullptr; }
  static void Close(HWND window) noexcept { ::DestroyWindow(window); }
};
using UniqueWindow = UniqueHandle<WindowTraits>;

// Memory that a Windows call allocated for its caller with LocalAlloc (CryptProtectData's
// output, for one).
struct LocalMemoryTraits {
  using Handle = HLOCAL;
  static HLOCAL Invalid() noexcept { return nullptr; }
  static void Close(HLOCAL memory) noexcept { ::LocalFree(memory); }
};
using UniqueLocalMemory = UniqueHandle<LocalMemoryTraits>;

// A directory listing from FindFirstFileW.
struct FindHandleTraits {
  using Handle = HANDLE;
  static HANDLE Invalid() noexcept { return INVALID_HANDLE_VALUE; }
  static void Close(HANDLE search) noexcept { ::FindClose(search); }
};
using UniqueFindHandle = UniqueHandle<FindHandleTraits>;

// A file from CreateFileW, which answers INVALID_HANDLE_VALUE when it fails.
struct FileHandleTraits {
  using Handle = HANDLE;
  static HANDLE Invalid() noexcept { return INVALID_HANDLE_VALUE; }
  static void Close(HANDLE file) noexcept { ::CloseHandle(file); }
};
using UniqueFileHandle = UniqueHandle<FileHandleTraits>;

}  // namespace quillbox::win
