#pragma once
// The add-in's callbacks as Office reaches them: GetIDsOfNames with the callback name from the
// XML (DISPIDs kept per name), then Invoke with the arguments in reverse order, as DISPPARAMS
// wants them. A call can also be prepared once and made many times, so that making it is the
// Invoke alone (the scale benchmark times such calls).

#include <windows.h>

#include <oaidl.h>

#include <initializer_list>
#include <map>
#include <string>
#include <vector>

#include "common/win/com_ptr.h"
#include "word-standin/dispatch_arguments.h"

namespace quillbox::standin {

struct PreparedCall {
  DISPID id = DISPID_UNKNOWN;
  VARIANT arguments[3];  // in Invoke's order: last parameter first; not owned
  UINT count = 0;
};

class AddinDispatch {
 public:
  explicit AddinDispatch(win::ComPtr<IDispatch> addin) : addin_(std::move(addin)) {}

  // Calls the method name with arguments given in the order of its parameters (the caller
  // keeps ownership of what they hold); result, when not null, must be empty. Returns the
  // name lookup's failure, or Invoke's, with DISP_E_EXCEPTION unwrapped to the method's own
  // failure.
  HRESULT Call(const std::wstring& name, std::vector<VARIANT> arguments, VARIANT* result);

  // Lets go of the add-in (Word's reference) and returns what its Release answered; calls made
  // afterwards fail with CO_E_OBJNOTCONNECTED.
  ULONG Drop();
  bool Holds() const noexcept { return static_cast<bool>(addin_); }

  // The DISPID the add-in gives name, or the lookup's failure.
  HRESULT IdOf(const std::wstring& name, DISPID& id);

  // Looks name up and keeps up to three arguments, given in the order of the method's
  // parameters, for Invoke. Returns the lookup's failure, or E_INVALIDARG for more arguments.
  HRESULT Prepare(const std::wstring& name, std::initializer_list<VARIANT> arguments, PreparedCall& call);
  // Makes a prepared call; result as for Call.
  HRESULT Invoke(PreparedCall& call, VARIANT* result) const;

 private:
  HRESULT Invoke(DISPID id, DISPPARAMS& params, VARIANT* result) const;

  win::ComPtr<IDispatch> addin_;
  std::map<std::wstring, DISPID> ids_;
};

}  // namespace quillbox::standin
