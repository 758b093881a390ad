#include "word-standin/addin_dispatch.h"

#include <algorithm>
#include <iterator>

#include "common/win/dispatch_call.h"

namespace quillbox::standin {

ULONG AddinDispatch::Drop() {
  IDispatch* addin = addin_.Detach();
  return addin ? addin->Release() : 0;
}

HRESULT AddinDispatch::IdOf(const std::wstring& name, DISPID& id) {
  if (!addin_) return CO_E_OBJNOTCONNECTED;
  if (const auto known = ids_.find(name); known != ids_.end()) {
    id = known->second;
    return S_OK;
  }
  LPOLESTR names[] = {const_cast<LPOLESTR>(name.c_str())};
  const HRESULT result = addin_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (SUCCEEDED(result)) ids_.emplace(name, id);
  return result;
}

HRESULT AddinDispatch::Call(const std::wstring& name, std::vector<VARIANT> arguments, VARIANT* result) {
  DISPID id = DISPID_UNKNOWN;
  if (const HRESULT looked = IdOf(name, id); FAILED(looked)) return looked;
  std::reverse(arguments.begin(), arguments.end());
  DISPPARAMS params = {arguments.data(), nullptr, static_cast<UINT>(arguments.size()), 0};
  return Invoke(id, params, result);
}

HRESULT AddinDispatch::Prepare(const std::wstring& name, std::initializer_list<VARIANT> arguments,
                               PreparedCall& call) {
  if (arguments.size() > std::size(call.arguments)) return E_INVALIDARG;
  if (const HRESULT looked = IdOf(name, call.id); FAILED(looked)) return looked;
  call.count = static_cast<UINT>(arguments.size());
  UINT position = call.count;
  for (const VARIANT& argument : arguments) call.arguments[--position] = argument;
  return S_OK;
}

HRESULT AddinDispatch::Invoke(PreparedCall& call, VARIANT* result) const {
  DISPPARAMS params = {call.arguments, nullptr, call.count, 0};
  return Invoke(call.id, params, result);
}

HRESULT AddinDispatch::Invoke(DISPID id, DISPPARAMS& params, VARIANT* result) const {
  if (!addin_) return CO_E_OBJNOTCONNECTED;
  EXCEPINFO exception = {};
  UINT argumentError = 0;
  const HRESULT outcome = addin_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, result,
                                         &exception, &argumentError);
  return win::InvokeFailure(outcome, exception);
}

}  // namespace quillbox::standin
