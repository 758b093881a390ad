#pragma once
// How the stand-in Word obtains the add-in object: from the registry by ProgID, as Word does,
// or straight from a library file through its DllGetClassObject (per-user registration, which
// Wine cannot create from).

#include <windows.h>

#include <string>

#include "common/win/com_ptr.h"
#include "common/win/unique_handle.h"

namespace quillbox::standin {

struct LoadedAddin {
  win::UniqueModule library;  // empty when COM loaded the library
  win::ComPtr<IUnknown> object;

  LoadedAddin() = default;
  LoadedAddin(LoadedAddin&&) = default;
  LoadedAddin& operator=(LoadedAddin&&) = default;
  // The object is released before the library is freed.
  ~LoadedAddin() { object.Reset(); }
};

// CLSIDFromProgID and CoCreateInstance for an in-process server.
HRESULT CreateAddinByProgId(const std::wstring& progId, LoadedAddin& addin);
// LoadLibrary, DllGetClassObject for the add-in's class, IClassFactory::CreateInstance.
HRESULT CreateAddinFromLibrary(const std::wstring& path, LoadedAddin& addin);

}  // namespace quillbox::standin
