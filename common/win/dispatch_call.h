#pragma once
// Calls on an automation object by name: a member's DISPID is looked up once through
// GetIDsOfNames and kept, then properties are read and written through Invoke. Failures throw
// ComError carrying the interface the caller names, so that an error says whose call failed.

#include <windows.h>

#include <oaidl.h>
#include <oleauto.h>

#include <string>

#include "common/com_error.h"
#include "common/win/bstr.h"

namespace quillbox::win {

class DispatchName {
 public:
  explicit DispatchName(const wchar_t* name) noexcept : name_(name) {}

  // The member's DISPID on object, looked up on first use.
  DISPID Resolve(IDispatch& object, const Guid& errorIid);
  // Looks the name up again on next use (the object behind it may be a different one).
  void Forget() noexcept { known_ = false; }

 private:
  const wchar_t* name_;
  DISPID id_ = DISPID_UNKNOWN;
  bool known_ = false;
};

inline DISPID DispatchName::Resolve(IDispatch& object, const Guid& errorIid) {
  if (!known_) {
    LPOLESTR names[] = {const_cast<LPOLESTR>(name_)};
    DISPID id = DISPID_UNKNOWN;
    const HRESULT result = object.GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(result)) throw ComError(result, errorIid);
    id_ = id;
    known_ = true;
  }
  return id_;
}

// The failure an Invoke reports: for DISP_E_EXCEPTION the code the object left in the
// exception information (and its description, when description is given), else the result
// itself. Frees the exception information's strings.
inline HRESULT InvokeFailure(HRESULT result, EXCEPINFO& exception, std::u16string* description = nullptr) {
  struct FreedAtEnd {
    EXCEPINFO& info;
    ~FreedAtEnd() {
      ::SysFreeString(info.bstrSource);
      ::SysFreeString(info.bstrDescription);
      ::SysFreeString(info.bstrHelpFile);
      info = EXCEPINFO{};
    }
  } freed{exception};
  if (result == DISP_E_EXCEPTION) {
    if (exception.pfnDeferredFillIn) exception.pfnDeferredFillIn(&exception);
    if (FAILED(exception.scode)) result = exception.scode;
    if (description && exception.bstrDescription) *description = UniqueBstr::TextOf(exception.bstrDescription);
  }
  return result;
}

// Reads a property into result (which must be empty).
inline void GetDispatchProperty(IDispatch& object, DISPID id, VARIANT* result, const Guid& errorIid) {
  DISPPARAMS noArguments = {nullptr, nullptr, 0, 0};
  EXCEPINFO exception = {};
  const HRESULT outcome = object.Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET,
                                        &noArguments, result, &exception, nullptr);
  std::u16string description;
  const HRESULT failure = InvokeFailure(outcome, exception, &description);
  if (FAILED(failure)) throw ComError(failure, errorIid, std::move(description));
}

// Writes a property (DISPATCH_PROPERTYPUT with the named argument DISPID_PROPERTYPUT).
inline void PutDispatchProperty(IDispatch& object, DISPID id, VARIANT& value, const Guid& errorIid) {
  DISPID namedPut = DISPID_PROPERTYPUT;
  DISPPARAMS arguments = {&value, &namedPut, 1, 1};
  EXCEPINFO exception = {};
  const HRESULT outcome = object.Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT,
                                        &arguments, nullptr, &exception, nullptr);
  std::u16string description;
  const HRESULT failure = InvokeFailure(outcome, exception, &description);
  if (FAILED(failure)) throw ComError(failure, errorIid, std::move(description));
}

}  // namespace quillbox::win
