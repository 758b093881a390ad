#pragma once
// Office's C++ signatures for the ribbon callbacks take the string and flag inputs by
// reference (BSTR* selectedId, BSTR* text, VARIANT_BOOL* pressed), and the type library
// declares them so. An Office build may pass them by value all the same, and Windows'
// DispInvoke refuses a by-value argument for a by-reference parameter (DISP_E_TYPEMISMATCH,
// which Office swallows: the click would do nothing). So every argument for such a parameter
// is brought to the declared form first: converted with VariantChangeType when it has another
// form or type, and handed over by reference to a copy that lives for the call.

#include <windows.h>

#include <oaidl.h>

namespace quillbox::win {

// DispInvoke on object with the type information info, taking each by-reference string or
// flag input by value or by reference. An argument that cannot be converted fails the call
// with DISP_E_TYPEMISMATCH and its index in argumentError, as DispInvoke reports it.
HRESULT InvokeCallback(IDispatch* object, ITypeInfo& info, DISPID member, WORD flags, DISPPARAMS* params,
                       VARIANT* result, EXCEPINFO* exception, UINT* argumentError);

}  // namespace quillbox::win
