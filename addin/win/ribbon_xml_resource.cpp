#include "addin/win/ribbon_xml_resource.h"

#include <windows.h>

#include "common/com_error.h"
#include "common/win/bstr.h"
#include "common/win/this_module.h"

namespace quillbox::win {
namespace {

struct ResourceBytes {
  const char* data = nullptr;
  int size = 0;
};

bool FindRibbonXml(ResourceBytes& bytes) {
  const HMODULE module = ThisModule();
  HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(kRibbonXmlResource), L"XML");
  if (!found) return false;
  HGLOBAL loaded = ::LoadResource(module, found);
  if (!loaded) return false;
  bytes.data = static_cast<const char*>(::LockResource(loaded));
  bytes.size = static_cast<int>(::SizeofResource(module, found));
  return bytes.data != nullptr;
}

}  // namespace

HRESULT LoadRibbonXml(BSTR* xml) {
  ResourceBytes bytes;
  if (!FindRibbonXml(bytes)) {
    ::MessageBoxW(nullptr, L"Could not load 'ribbon.xml'", L"Error!", MB_ICONWARNING);
    return E_FAIL;
  }
  const int length = bytes.size ? ::MultiByteToWideChar(CP_ACP, 0, bytes.data, bytes.size, nullptr, 0) : 0;
  UniqueBstr text = UniqueBstr::FromWide(std::wstring_view());
  if (length > 0) {
    text.Reset(::SysAllocStringLen(nullptr, static_cast<UINT>(length)));
    if (!text) throw ComError(hr::kOutOfMemory);
    ::MultiByteToWideChar(CP_ACP, 0, bytes.data, bytes.size, text.Get(), length);
  }
  *xml = text.Release();
  return S_OK;
}

}  // namespace quillbox::win
