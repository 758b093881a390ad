#include "server/win/registration/type_library_registration.h"

#include <oleauto.h>

#include "common/win/com_ptr.h"
#include "common/win/wide.h"
#include "server/type_library_path.h"

namespace quillbox::win {
namespace {

// Not declared by every SDK, and missing from old OLEAUT32 builds: looked up by name.
using RegisterTypeLibForUserFn = HRESULT(WINAPI*)(ITypeLib*, OLECHAR*, OLECHAR*);
using UnRegisterTypeLibForUserFn = HRESULT(WINAPI*)(REFGUID, WORD, WORD, LCID, SYSKIND);

template <typename Fn>
Fn OleAutomationFunction(const char* name) {
  HMODULE oleaut = ::GetModuleHandleW(L"oleaut32.dll");
  return oleaut ? reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(oleaut, name))) : nullptr;
}

// Loads from the library file, else from the ".tlb" path; the error of the last load fails.
HRESULT LoadModuleTypeLibrary(const std::wstring& modulePath, ComPtr<ITypeLib>& library, std::wstring& loadedFrom) {
  HRESULT result = ::LoadTypeLib(modulePath.c_str(), library.Put());
  if (SUCCEEDED(result)) {
    loadedFrom = modulePath;
    return result;
  }
  const std::wstring fallback = ToWide(TypeLibraryFallbackPath(FromWide(modulePath)));
  result = ::LoadTypeLib(fallback.c_str(), library.Put());
  if (SUCCEEDED(result)) loadedFrom = fallback;
  return result;
}

// The directory part of the type library's help file name; empty when it names none.
std::wstring HelpDirectory(ITypeLib* library) {
  BSTR helpFile = nullptr;
  if (FAILED(library->GetDocumentation(-1, nullptr, nullptr, nullptr, &helpFile)) || !helpFile) return {};
  std::wstring directory(helpFile, ::SysStringLen(helpFile));
  ::SysFreeString(helpFile);
  const size_t separator = directory.find_last_of(L"\\/");
  directory.erase(separator == std::wstring::npos ? 0 : separator);
  return directory;
}

}  // namespace

HRESULT RegisterModuleTypeLibrary(const std::wstring& modulePath, RegistrationScope scope) {
  ComPtr<ITypeLib> library;
  std::wstring path;
  if (HRESULT result = LoadModuleTypeLibrary(modulePath, library, path); FAILED(result)) return result;
  std::wstring helpDirectory = HelpDirectory(library.Get());
  OLECHAR* help = helpDirectory.empty() ? nullptr : helpDirectory.data();
  if (scope == RegistrationScope::kPerUser) {
    if (auto registerForUser = OleAutomationFunction<RegisterTypeLibForUserFn>("RegisterTypeLibForUser")) {
      return registerForUser(library.Get(), path.data(), help);
    }
  }
  return ::RegisterTypeLib(library.Get(), path.data(), help);
}

HRESULT UnregisterModuleTypeLibrary(const std::wstring& modulePath, RegistrationScope scope) {
  ComPtr<ITypeLib> library;
  std::wstring path;
  if (HRESULT result = LoadModuleTypeLibrary(modulePath, library, path); FAILED(result)) return result;
  TLIBATTR* attributes = nullptr;
  if (HRESULT result = library->GetLibAttr(&attributes); FAILED(result)) return result;
  const TLIBATTR attr = *attributes;
  library->ReleaseTLibAttr(attributes);
  if (scope == RegistrationScope::kPerUser) {
    if (auto unregisterForUser = OleAutomationFunction<UnRegisterTypeLibForUserFn>("UnRegisterTypeLibForUser")) {
      return unregisterForUser(attr.guid, attr.wMajorVerNum, attr.wMinorVerNum, attr.lcid, attr.syskind);
    }
  }
  return ::UnRegisterTypeLib(attr.guid, attr.wMajorVerNum, attr.wMinorVerNum, attr.lcid, attr.syskind);
}

}  // namespace quillbox::win
