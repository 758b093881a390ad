#pragma once
// The type information of IAddInCallback, from the add-in's registered type library. Office
// calls the ribbon callbacks by name, and IDispatch answers those calls from this description
// (DispGetIDsOfNames, DispInvoke) rather than from a hand-written table.

#include <windows.h>

#include <oaidl.h>

namespace quillbox::win {

// Loaded once, on first use, under the module lock; kept while the library is loaded. Throws
// ComError with the loader's failure when the type library is not registered.
ITypeInfo& CallbackTypeInfo();

}  // namespace quillbox::win
