#include "tests/windows/addin/addin_test_support.h"

#include <objbase.h>

#include <cstdio>

#include <gtest/gtest.h>

#include "tests/support/wine_path.h"

namespace quillbox::testing {
std::wstring AddinLibraryPath() { return WideWinePath(QUILLBOX_ADDIN_LIBRARY); }
std::wstring RibbonXmlPath() { return WideWinePath(QUILLBOX_RIBBON_XML); }

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
