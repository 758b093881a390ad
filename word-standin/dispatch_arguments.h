#pragma once
// Arguments for IDispatch::Invoke that own nothing: the caller keeps the object, string or
// flag they point at alive until the call returns.

#include <windows.h>

#include <oaidl.h>

namespace quillbox::standin {

inline VARIANT DispatchArgument(IDispatch* object) {
  VARIANT value;
  value.vt = VT_DISPATCH;
  value.pdispVal = object;
  return value;
}

inline VARIANT LongArgument(LONG number) {
  VARIANT value;
  value.vt = VT_I4;
  value.lVal = number;
  return value;
}

inline VARIANT BstrByRefArgument(BSTR* text) {
  VARIANT value;
  value.vt = VT_BSTR | VT_BYREF;
  value.pbstrVal = text;
  return value;
}

inline VARIANT BoolByRefArgument(VARIANT_BOOL* flag) {
  VARIANT value;
  value.vt = VT_BOOL | VT_BYREF;
  value.pboolVal = flag;
  return value;
}

}  // namespace quillbox::standin
