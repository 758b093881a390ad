#include "addin/win/callback_type_info.h"

#include <oleauto.h>

#include <mutex>

#include "common/win/com_boundary.h"
#include "common/win/com_ptr.h"
#include "quillbox_addin.h"
#include "server/win/com/module_state.h"

namespace quillbox::win {

ITypeInfo& CallbackTypeInfo() {
  static ComPtr<ITypeInfo> typeInfo;
  std::lock_guard<ModuleMutex> guard(TheModuleMutex());
  if (!typeInfo) {
    // Version 1.0 or any later 1.x that is registered, under the library's own locale.
    constexpr LCID kLibraryLocale = MAKELCID(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), SORT_DEFAULT);
    ComPtr<ITypeLib> library;
    ThrowIfFailed(::LoadRegTypeLib(LIBID_QuillboxAddInLib, 1, 0, kLibraryLocale, library.Put()));
    ComPtr<ITypeInfo> loaded;
    ThrowIfFailed(library->GetTypeInfoOfGuid(IID_IAddInCallback, loaded.Put()));
    typeInfo = std::move(loaded);
  }
  return *typeInfo.Get();
}

}  // namespace quillbox::win
