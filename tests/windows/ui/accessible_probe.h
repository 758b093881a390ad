#pragma once
// Reading a dialog as a screen reader does, from inside the dialog's own modal loop (on the
// thread that shows it, where oleacc answers in-process).

#include <windows.h>
#include <oleacc.h>

#include <functional>
#include <string>

#include "common/win/bstr.h"

namespace quillbox::testing {

// Runs body on this thread from inside the modal loop of the dialog with caption, once shown.
inline std::function<void(HWND)> inLoop;
inline const wchar_t* inLoopCaption = nullptr;
inline void CALLBACK InLoopTick(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND dialog = ::FindWindowW(L"#32770", inLoopCaption);
  if (!dialog || !::IsWindowVisible(dialog)) return;
  ::KillTimer(nullptr, timer);
  std::function<void(HWND)>(std::move(inLoop))(dialog);
}
inline void InDialogLoop(const wchar_t* caption, std::function<void(HWND)> body) {
  inLoopCaption = caption;
  inLoop = std::move(body);
  ::SetTimer(nullptr, 0, 20, &InLoopTick);
}

inline VARIANT Self() { VARIANT self = {}; self.vt = VT_I4; return self; }  // CHILDID_SELF
inline std::wstring Text(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*), IAccessible& object) {
  BSTR text = nullptr;
  (object.*get)(Self(), &text);
  const win::UniqueBstr owned = win::UniqueBstr::Attach(text);
  return text ? std::wstring(text, ::SysStringLen(text)) : std::wstring();
}
inline long Number(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, VARIANT*), IAccessible& object) {
  VARIANT value = {};
  (object.*get)(Self(), &value);
  return value.vt == VT_I4 ? value.lVal : -1;
}

}  // namespace quillbox::testing
