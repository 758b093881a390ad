#include "bench/scale/win/callback_caller.h"

#include <oleauto.h>

#include <iterator>
#include <stdexcept>

namespace quillbox::bench {

DISPID CallbackCaller::IdOf(const std::wstring& name) const {
  DISPID id = DISPID_UNKNOWN;
  if (FAILED(dispatch_.IdOf(name, id))) throw std::runtime_error("the add-in does not know a callback by that name");
  return id;
}

PreparedCall CallbackCaller::Prepare(const std::wstring& name, std::initializer_list<VARIANT> arguments) const {
  PreparedCall call;
  if (arguments.size() > std::size(call.arguments)) throw std::invalid_argument("at most three arguments");
  if (FAILED(dispatch_.Prepare(name, arguments, call))) {
    throw std::runtime_error("the add-in does not know a callback by that name");
  }
  return call;
}

HRESULT CallbackCaller::Call(PreparedCall& call, VARIANT& result) const {
  ::VariantInit(&result);
  return dispatch_.Invoke(call, &result);
}

HRESULT CallbackCaller::Call(PreparedCall& call) const {
  VARIANT result;
  const HRESULT outcome = Call(call, result);
  ::VariantClear(&result);
  return outcome;
}

}  // namespace quillbox::bench
