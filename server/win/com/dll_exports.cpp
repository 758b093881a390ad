// The COM runtime's entry points into the library: the class object of Connect and the
// question whether the library may be unloaded. Registration lives beside them in
// server/win/registration.

#include <windows.h>

#include "common/win/com_boundary.h"
#include "quillbox_addin.h"
#include "server/win/com/connect_class_factory.h"
#include "server/win/com/module_state.h"

extern "C" HRESULT __stdcall DllGetClassObject(REFCLSID clsid, REFIID iid, LPVOID* out) {
  return quillbox::win::ComBoundary([&]() -> HRESULT {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!IsEqualCLSID(clsid, CLSID_Connect)) return CLASS_E_CLASSNOTAVAILABLE;
    return quillbox::win::QueryConnectClassFactory(iid, out);
  });
}

extern "C" HRESULT __stdcall DllCanUnloadNow() {
  return quillbox::win::ModuleLockCount() == 0 ? S_OK : S_FALSE;
}
