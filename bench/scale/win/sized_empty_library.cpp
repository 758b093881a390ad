// A library that does nothing but is as large as the release add-in: its initialised read-only
// data fills the image to about the add-in's size. Loaded beside the empty library, it shows
// what the image's size alone costs Wine's loader.

#include <windows.h>

// Exported, so that the linker keeps it.
extern "C" __declspec(dllexport) const unsigned char quillbox_padding[QUILLBOX_PADDING_BYTES] = {1};

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
