#pragma once
// The class object of Connect: creates a new add-in object for every request, refuses
// aggregation, and locks the library on LockServer(TRUE).

#include <windows.h>

#include <unknwn.h>

namespace quillbox::win {

// The library's one class factory, created on first use and kept while the library is loaded.
// Returns the failure when it cannot be created.
HRESULT QueryConnectClassFactory(REFIID iid, void** out) noexcept;

}  // namespace quillbox::win
