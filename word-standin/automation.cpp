#include "word-standin/automation.h"

#include <oleauto.h>

#include <cwchar>

namespace quillbox::standin {

HRESULT LookUpMembers(std::initializer_list<const wchar_t*> members, LPOLESTR* names, UINT count, DISPID* ids) {
  if (!names || !ids) return E_POINTER;
  HRESULT result = S_OK;
  for (UINT i = 0; i < count; ++i) {
    ids[i] = DISPID_UNKNOWN;
    DISPID id = 1;
    for (const wchar_t* member : members) {
      if (names[i] && _wcsicmp(names[i], member) == 0) {
        ids[i] = id;
        break;
      }
      ++id;
    }
    if (ids[i] == DISPID_UNKNOWN) result = DISP_E_UNKNOWNNAME;
  }
  return result;
}

VARIANT* PropertyPutValue(DISPPARAMS* params) {
  if (!params || params->cArgs != 1 || params->cNamedArgs != 1 || !params->rgdispidNamedArgs ||
      params->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT) {
    return nullptr;
  }
  return &params->rgvarg[0];
}

HRESULT ReportFailure(HRESULT failure, EXCEPINFO* exception) {
  if (!exception) return failure;
  *exception = EXCEPINFO{};
  exception->bstrSource = ::SysAllocString(L"Word stand-in");
  exception->bstrDescription = ::SysAllocString(L"The stand-in was told to refuse this call.");
  exception->scode = failure;
  return DISP_E_EXCEPTION;
}

HRESULT ReportWordError(HRESULT code, const wchar_t* description, EXCEPINFO* exception) {
  if (exception) {
    *exception = EXCEPINFO{};
    exception->bstrSource = ::SysAllocString(L"Microsoft Word");
    exception->bstrDescription = ::SysAllocString(description);
    exception->scode = code;
  }
  return DISP_E_EXCEPTION;
}

}  // namespace quillbox::standin
