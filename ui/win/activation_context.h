#pragma once
// The add-in's dialogs need Common Controls version 6 (the progress bar's marquee), which a
// DLL inside Word only gets through an activation context built from its own manifest.

#include <windows.h>

namespace quillbox::win {

// Activates the add-in's activation context for the lifetime of the object. The context is
// created from this module's manifest (RT_MANIFEST 2) the first time, and the common-control
// window classes are registered inside it then, never from DllMain where the loader lock is
// held. When the context cannot be created, dialogs still work with the older controls.
class ScopedUiActivation {
 public:
  ScopedUiActivation() noexcept;
  ~ScopedUiActivation();
  ScopedUiActivation(const ScopedUiActivation&) = delete;
  ScopedUiActivation& operator=(const ScopedUiActivation&) = delete;

  bool Active() const noexcept { return activated_; }

 private:
  ULONG_PTR cookie_ = 0;
  bool activated_ = false;
};

}  // namespace quillbox::win
