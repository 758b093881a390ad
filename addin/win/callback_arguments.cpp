#include "addin/win/callback_arguments.h"

#include <oleauto.h>

#include <vector>

namespace quillbox::win {
namespace {

// The description of method member, released with the object; empty when there is none.
class MethodDescription {
 public:
  MethodDescription(ITypeInfo& info, DISPID member) : info_(info) {
    TYPEATTR* attributes = nullptr;
    if (FAILED(info.GetTypeAttr(&attributes))) return;
    const UINT count = attributes->cFuncs;
    info.ReleaseTypeAttr(attributes);
    for (UINT index = 0; index < count && !description_; ++index) {
      FUNCDESC* candidate = nullptr;
      if (FAILED(info.GetFuncDesc(index, &candidate))) continue;
      if (candidate->memid == member && candidate->invkind == INVOKE_FUNC) {
        description_ = candidate;
      } else {
        info.ReleaseFuncDesc(candidate);
      }
    }
  }
  ~MethodDescription() {
    if (description_) info_.ReleaseFuncDesc(description_);
  }
  MethodDescription(const MethodDescription&) = delete;
  MethodDescription& operator=(const MethodDescription&) = delete;

  const FUNCDESC* Get() const noexcept { return description_; }

 private:
  ITypeInfo& info_;
  FUNCDESC* description_ = nullptr;
};

// The type an input parameter declared as BSTR* or VARIANT_BOOL* points at; VT_EMPTY for any
// other parameter.
VARTYPE ReferencedInputType(const ELEMDESC& parameter) {
  const USHORT flags = parameter.paramdesc.wParamFlags;
  if ((flags & (PARAMFLAG_FOUT | PARAMFLAG_FRETVAL)) != 0) return VT_EMPTY;
  const TYPEDESC& type = parameter.tdesc;
  if (type.vt != VT_PTR || !type.lptdesc) return VT_EMPTY;
  const VARTYPE target = type.lptdesc->vt;
  if (target != VT_BSTR && target != VT_BOOL) return VT_EMPTY;
  return target;
}

// Converted copies of arguments, cleared at the end of the call.
class ArgumentCopies {
 public:
  explicit ArgumentCopies(UINT count) : copies_(count) {
    for (VARIANT& copy : copies_) ::VariantInit(&copy);
  }
  ~ArgumentCopies() {
    for (VARIANT& copy : copies_) ::VariantClear(&copy);
  }
  ArgumentCopies(const ArgumentCopies&) = delete;
  ArgumentCopies& operator=(const ArgumentCopies&) = delete;

  VARIANT& operator[](UINT index) { return copies_[index]; }

 private:
  std::vector<VARIANT> copies_;
};

}  // namespace

HRESULT InvokeCallback(IDispatch* object, ITypeInfo& info, DISPID member, WORD flags, DISPPARAMS* params,
                       VARIANT* result, EXCEPINFO* exception, UINT* argumentError) {
  const MethodDescription method(info, member);
  if (!params || !params->rgvarg || params->cArgs == 0 || !method.Get()) {
    return ::DispInvoke(object, &info, member, flags, params, result, exception, argumentError);
  }

  const UINT count = params->cArgs;
  const UINT named = params->cNamedArgs;
  std::vector<VARIANT> arguments(params->rgvarg, params->rgvarg + count);
  ArgumentCopies copies(count);
  for (UINT index = 0; index < count; ++index) {
    // Named arguments come first and carry their parameter's position; the positional ones
    // follow in reverse order.
    const LONG position = index < named ? params->rgdispidNamedArgs[index] : static_cast<LONG>(count - 1 - index);
    if (position < 0 || position >= method.Get()->cParams) continue;
    const VARTYPE target = ReferencedInputType(method.Get()->lprgelemdescParam[position]);
    if (target == VT_EMPTY || arguments[index].vt == (VT_BYREF | target)) continue;
    if (FAILED(::VariantChangeType(&copies[index], &arguments[index], 0, target))) {
      if (argumentError) *argumentError = index;
      return DISP_E_TYPEMISMATCH;
    }
    arguments[index].vt = VT_BYREF | target;
    if (target == VT_BSTR) {
      arguments[index].pbstrVal = &copies[index].bstrVal;
    } else {
      arguments[index].pboolVal = &copies[index].boolVal;
    }
  }
  DISPPARAMS converted = {arguments.data(), params->rgdispidNamedArgs, count, named};
  return ::DispInvoke(object, &info, member, flags, &converted, result, exception, argumentError);
}

}  // namespace quillbox::win
