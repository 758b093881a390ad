#include "server/win/registration/registry_script_resource.h"

#include "common/win/wide.h"

namespace quillbox::win {

HRESULT LoadRegistryScript(HMODULE module, int resourceId, std::u16string& text) {
  HRSRC resource = ::FindResourceW(module, MAKEINTRESOURCEW(resourceId), L"REGISTRY");
  if (!resource) return HRESULT_FROM_WIN32(::GetLastError());
  HGLOBAL loaded = ::LoadResource(module, resource);
  const void* bytes = loaded ? ::LockResource(loaded) : nullptr;
  if (!bytes) return HRESULT_FROM_WIN32(::GetLastError());
  const int size = static_cast<int>(::SizeofResource(module, resource));
  text.clear();
  if (size == 0) return S_OK;
  const char* narrow = static_cast<const char*>(bytes);
  const int length = ::MultiByteToWideChar(CP_ACP, 0, narrow, size, nullptr, 0);
  if (length == 0) return HRESULT_FROM_WIN32(::GetLastError());
  std::wstring wide(static_cast<size_t>(length), L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, narrow, size, wide.data(), length);
  text = FromWide(wide);
  return S_OK;
}

}  // namespace quillbox::win
