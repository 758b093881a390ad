#pragma once
// Calls ribbon callbacks through IDispatch::Invoke as Office does, with the DISPID looked up
// once beforehand so that a timed call is the Invoke alone: the stand-in Word's own prepared
// calls, with the failures a benchmark cannot go on after thrown.

#include <windows.h>

#include <oaidl.h>

#include <initializer_list>
#include <string>

#include "word-standin/addin_dispatch.h"

namespace quillbox::bench {

using standin::PreparedCall;

class CallbackCaller {
 public:
  explicit CallbackCaller(IDispatch* target) : dispatch_(win::ComPtr<IDispatch>(target)) {}

  // The DISPID of name; throws std::runtime_error when the target does not know it.
  DISPID IdOf(const std::wstring& name) const;

  // Arguments in the order of the method's parameters; they are not owned. Throws
  // std::invalid_argument for more than three, std::runtime_error for an unknown name.
  PreparedCall Prepare(const std::wstring& name, std::initializer_list<VARIANT> arguments) const;

  // Invoke with the prepared call; the result (if any) is cleared afterwards. Returns Invoke's
  // result.
  HRESULT Call(PreparedCall& call) const;
  // The same, handing the result to the caller (who clears it).
  HRESULT Call(PreparedCall& call, VARIANT& result) const;

 private:
  mutable standin::AddinDispatch dispatch_;
};

using standin::BoolByRefArgument;
using standin::BstrByRefArgument;
using standin::DispatchArgument;
using standin::LongArgument;

}  // namespace quillbox::bench
