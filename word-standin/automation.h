#pragma once
// Small pieces of automation shared by the stand-in's IDispatch objects: members looked up by
// name, arguments read from DISPPARAMS, and failures reported the way Word reports them.

#include <windows.h>

#include <oaidl.h>

#include <initializer_list>

namespace quillbox::standin {

// Looks each name up in members, ignoring case as automation does; a member's DISPID is its
// position plus one. DISP_E_UNKNOWNNAME when any name is unknown (its id is DISPID_UNKNOWN).
HRESULT LookUpMembers(std::initializer_list<const wchar_t*> members, LPOLESTR* names, UINT count, DISPID* ids);

// The value of a property put: the one argument named DISPID_PROPERTYPUT, or null.
VARIANT* PropertyPutValue(DISPPARAMS* params);

// Word reports a refused call as DISP_E_EXCEPTION with the error code in the exception
// information; without exception information the code itself is returned.
HRESULT ReportFailure(HRESULT failure, EXCEPINFO* exception);

// Word's own refusal of a call: DISP_E_EXCEPTION whether or not the caller asked for the
// exception information, which carries Word's error code and its description.
HRESULT ReportWordError(HRESULT code, const wchar_t* description, EXCEPINFO* exception);

// Word's error for a change to a protected or read-only document (4605).
constexpr HRESULT kWordDocumentLocked = static_cast<HRESULT>(0x800A11FD);
constexpr wchar_t kWordDocumentLockedText[] =
    L"This method or property is not available because the document is locked for editing.";

}  // namespace quillbox::standin
