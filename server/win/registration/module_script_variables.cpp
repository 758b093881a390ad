#include "server/win/registration/module_script_variables.h"

#include <objbase.h>

#include "common/win/wide.h"
#include "server/server_identity.h"
#include "server/server_script_variables.h"

namespace quillbox::win {
namespace {

GUID ToWindowsGuid(const Guid& guid) {
  GUID result;
  result.Data1 = guid.data1;
  result.Data2 = guid.data2;
  result.Data3 = guid.data3;
  for (int i = 0; i < 8; ++i) result.Data4[i] = guid.data4[i];
  return result;
}

}  // namespace

HRESULT ModuleFilePath(HMODULE module, std::wstring& path) {
  wchar_t buffer[MAX_PATH];
  const DWORD length = ::GetModuleFileNameW(module, buffer, MAX_PATH);
  if (length == 0) return HRESULT_FROM_WIN32(::GetLastError());
  if (length >= MAX_PATH) return HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER);
  path.assign(buffer, length);
  return S_OK;
}

std::u16string RegistryGuidText(REFGUID guid) {
  wchar_t text[39];  // {8-4-4-4-12} and the terminator
  const int length = ::StringFromGUID2(guid, text, 39);
  return FromWide(text, length > 0 ? static_cast<size_t>(length - 1) : 0);
}

ReplacementVariables ModuleScriptVariables(const std::wstring& modulePath) {
  const ServerGuidTexts guids{RegistryGuidText(ToWindowsGuid(kClsidConnect)),
                              RegistryGuidText(ToWindowsGuid(kLibidQuillboxAddInLib)),
                              RegistryGuidText(ToWindowsGuid(kAppIdQuillboxAddInModule))};
  return ServerScriptVariables(guids, FromWide(modulePath));
}

}  // namespace quillbox::win
