// The library's load notification. It does nothing that could load another library: the
// common controls are registered by the dialog code before its first dialog, and the module
// handle is found from an address when it is needed (common/win/this_module.h).

#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/) {
  if (reason == DLL_PROCESS_ATTACH) ::DisableThreadLibraryCalls(instance);
  return TRUE;
}
