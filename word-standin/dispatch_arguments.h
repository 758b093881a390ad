#pragma once
// Arguments for IDispatch::Invoke that own nothing: the caller keeps the object, string or
// flag they point at alive until the call returns.

#include <windows.h>

#include <oaidl.h>

#include <optional>
#include <string>

namespace quillbox::standin {

// How a callback's input parameters (a string, a flag) are passed. Office's documented C++
// signatures take them by reference; an Office build may pass them by value, which Windows'
// ITypeInfo::Invoke refuses for a by-reference parameter. One form holds for a whole run.
enum class ArgumentForm { kByReference, kByValue };

// "by-reference" or "by-value".
inline std::optional<ArgumentForm> ParseArgumentForm(const std::wstring& name) {
  if (name == L"by-reference") return ArgumentForm::kByReference;
  if (name == L"by-value") return ArgumentForm::kByValue;
  return std::nullopt;
}

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

// A string or flag input parameter in the run's form.
inline VARIANT BstrArgument(BSTR* text, ArgumentForm form) {
  if (form == ArgumentForm::kByReference) return BstrByRefArgument(text);
  VARIANT value;
  value.vt = VT_BSTR;
  value.bstrVal = *text;
  return value;
}

inline VARIANT BoolArgument(VARIANT_BOOL* flag, ArgumentForm form) {
  if (form == ArgumentForm::kByReference) return BoolByRefArgument(flag);
  VARIANT value;
  value.vt = VT_BOOL;
  value.boolVal = *flag;
  return value;
}

}  // namespace quillbox::standin
