#pragma once
// Calls ribbon callbacks through IDispatch::Invoke as Office does, with the DISPID looked up
// once beforehand so that a timed call is the Invoke alone.

#include <windows.h>

#include <oaidl.h>

#include <initializer_list>
#include <string>

#include "common/win/dispatch_arguments.h"

namespace quillbox::bench {

struct PreparedCall {
  DISPID id = DISPID_UNKNOWN;
  VARIANT arguments[3];  // in Invoke's order: last parameter first
  UINT count = 0;
};

class CallbackCaller {
 public:
  explicit CallbackCaller(IDispatch* target) : target_(target) {}

  // The DISPID of name; throws std::runtime_error when the target does not know it.
  DISPID IdOf(const std::wstring& name) const;

  // Arguments in the order of the method's parameters; they are not owned.
  PreparedCall Prepare(const std::wstring& name, std::initializer_list<VARIANT> arguments) const;

  // Invoke with the prepared call; the result (if any) is cleared afterwards. Returns Invoke's
  // result.
  HRESULT Call(PreparedCall& call) const;
  // The same, handing the result to the caller (who clears it).
  HRESULT Call(PreparedCall& call, VARIANT& result) const;

  IDispatch* Target() const noexcept { return target_; }

 private:
  IDispatch* target_;
};

using win::BoolByRefArgument;
using win::BstrByRefArgument;
using win::DispatchArgument;
using win::LongArgument;

}  // namespace quillbox::bench
