// A library that does nothing, loaded as the baseline for the add-in's load time: what Wine
// spends mapping and starting any DLL with no imports of its own beyond the runtime.

#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
