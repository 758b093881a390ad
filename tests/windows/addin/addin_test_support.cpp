#include "tests/windows/addin/addin_test_support.h"

#include <objbase.h>

#include <cstdio>

#include <gtest/gtest.h>

namespace quillbox::testing {
namespace {

// Build paths are Unix paths; Wine maps the Unix root to drive Z:.
std::wstring WinePath(const char* unixPath) {
  std::wstring path = L"Z:";
  for (const char* c = unixPath; *c; ++c) path += *c == '/' ? L'\\' : static_cast<wchar_t>(*c);
  return path;
}

}  // namespace

std::wstring AddinLibraryPath() { return WinePath(QUILLBOX_ADDIN_LIBRARY); }
std::wstring RibbonXmlPath() { return WinePath(QUILLBOX_RIBBON_XML); }

std::string ReadFileBytes(const std::wstring& path) {
  std::string bytes;
  std::FILE* file = _wfopen(path.c_str(), L"rb");
  if (!file) return bytes;
  char buffer[4096];
  for (size_t read; (read = std::fread(buffer, 1, sizeof buffer, file)) > 0;) bytes.append(buffer, read);
  std::fclose(file);
  return bytes;
}

win::ComPtr<IUnknown> CreateRegisteredAddin() {
  CLSID clsid{};
  EXPECT_EQ(S_OK, ::CLSIDFromProgID(L"Quillbox.AddIn", &clsid));
  win::ComPtr<IUnknown> addin;
  EXPECT_EQ(S_OK, ::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, addin.PutVoid()));
  return addin;
}

}  // namespace quillbox::testing
