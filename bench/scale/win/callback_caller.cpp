#include "bench/scale/win/callback_caller.h"

#include <oleauto.h>

#include <stdexcept>

namespace quillbox::bench {

DISPID CallbackCaller::IdOf(const std::wstring& name) const {
  DISPID id = DISPID_UNKNOWN;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name.c_str())};
  if (FAILED(target_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id))) {
    throw std::runtime_error("the add-in does not know a callback by that name");
  }
  return id;
}

PreparedCall CallbackCaller::Prepare(const std::wstring& name, std::initializer_list<VARIANT> arguments) const {
  if (arguments.size() > 3) throw std::invalid_argument("at most three arguments");
  PreparedCall call;
  call.id = IdOf(name);
  call.count = static_cast<UINT>(arguments.size());
  UINT position = call.count;
  for (const VARIANT& argument : arguments) call.arguments[--position] = argument;
  return call;
}

HRESULT CallbackCaller::Call(PreparedCall& call, VARIANT& result) const {
  ::VariantInit(&result);
  DISPPARAMS params = {call.arguments, nullptr, call.count, 0};
  EXCEPINFO exception = {};
  UINT argumentError = 0;
  const HRESULT outcome = target_->Invoke(call.id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params,
                                          &result, &exception, &argumentError);
  ::SysFreeString(exception.bstrSource);
  ::SysFreeString(exception.bstrDescription);
  ::SysFreeString(exception.bstrHelpFile);
  return outcome;
}

HRESULT CallbackCaller::Call(PreparedCall& call) const {
  VARIANT result;
  const HRESULT outcome = Call(call, result);
  ::VariantClear(&result);
  return outcome;
}

}  // namespace quillbox::bench
