#include "word-standin/addin_loader.h"

#include <objbase.h>

#include "quillbox_addin.h"

namespace quillbox::standin {

HRESULT CreateAddinByProgId(const std::wstring& progId, LoadedAddin& addin) {
  CLSID clsid;
  HRESULT result = ::CLSIDFromProgID(progId.c_str(), &clsid);
  if (FAILED(result)) return result;
  return ::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, addin.object.PutVoid());
}

HRESULT CreateAddinFromLibrary(const std::wstring& path, LoadedAddin& addin) {
  addin.library.Reset(::LoadLibraryW(path.c_str()));
  if (!addin.library) return HRESULT_FROM_WIN32(::GetLastError());
  using GetClassObject = HRESULT(__stdcall*)(REFCLSID, REFIID, void**);
  // Through void (*)() as the one function pointer type every other converts from cleanly.
  const auto getClassObject = reinterpret_cast<GetClassObject>(
      reinterpret_cast<void (*)()>(::GetProcAddress(addin.library.Get(), "DllGetClassObject")));
  if (!getClassObject) return HRESULT_FROM_WIN32(::GetLastError());
  win::ComPtr<IClassFactory> factory;
  HRESULT result = getClassObject(CLSID_Connect, IID_IClassFactory, factory.PutVoid());
  if (FAILED(result)) return result;
  return factory->CreateInstance(nullptr, IID_IUnknown, addin.object.PutVoid());
}

}  // namespace quillbox::standin
