#include "registration_test_support.h"

#include <gtest/gtest.h>

#include <vector>

namespace quillbox::testing {
namespace {

void RemoveDirectoryTree(const std::wstring& path) {
  WIN32_FIND_DATAW found;
  HANDLE search = ::FindFirstFileW((path + L"\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = found.cFileName, child = path + L"\\" + name;
      if (name == L"." || name == L"..") continue;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveDirectoryTree(child);
      } else {
        ::DeleteFileW(child.c_str());
      }
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
  }
  ::RemoveDirectoryW(path.c_str());
}

bool WriteFileBytes(const std::wstring& path, const std::string& bytes) {
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok = ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                  written == bytes.size();
  ::CloseHandle(file);
  return ok;
}

// Makes resource TYPELIB 1 of a library file unfindable. Wine's EndUpdateResourceW reports
// success without changing the file, so the type's name in the resource directory ("TYPELIB"
// as a counted UTF-16 string) is renamed instead.
bool RemoveTypeLibraryResource(const std::wstring& libraryPath) {
  std::string bytes = ReadFileBytes(libraryPath);
  static const char kName[] = {7, 0, 'T', 0, 'Y', 0, 'P', 0, 'E', 0, 'L', 0, 'I', 0, 'B', 0};
  const size_t at = bytes.find(std::string(kName, sizeof kName));
  if (at == std::string::npos) return false;
  bytes[at + sizeof kName - 2] = 'X';
  if (!WriteFileBytes(libraryPath, bytes)) return false;
  HMODULE data = ::LoadLibraryExW(libraryPath.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  const bool gone = data && !::FindResourceW(data, MAKEINTRESOURCEW(1), L"TYPELIB");
  if (data) ::FreeLibrary(data);
  return gone;
}

}  // namespace

std::wstring AddinDllPath() { return WideWinePath(QUILLBOX_ADDIN_DLL); }

std::wstring SourceFilePath(const std::string& relativePath) {
  return WideWinePath(std::string(QUILLBOX_SOURCE_DIR) + "/" + relativePath);
}

std::string ReadFileBytes(const std::wstring& path) {
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_NE(file, INVALID_HANDLE_VALUE) << "cannot open " << std::string(path.begin(), path.end());
  std::string bytes;
  char buffer[65536];
  DWORD read = 0;
  while (file != INVALID_HANDLE_VALUE && ::ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) {
    bytes.append(buffer, read);
  }
  if (file != INVALID_HANDLE_VALUE) ::CloseHandle(file);
  return bytes;
}

bool KeyExists(HKEY root, const std::wstring& path) {
  HKEY key = nullptr;
  if (::RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  ::RegCloseKey(key);
  return true;
}

std::optional<std::wstring> ReadString(HKEY root, const std::wstring& path, const wchar_t* name) {
  DWORD size = 0;
  if (::RegGetValueW(root, path.c_str(), name, RRF_RT_REG_SZ, nullptr, nullptr, &size) != ERROR_SUCCESS) return {};
  std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1);
  if (::RegGetValueW(root, path.c_str(), name, RRF_RT_REG_SZ, nullptr, buffer.data(), &size) != ERROR_SUCCESS) return {};
  return std::wstring(buffer.data());
}

std::optional<DWORD> ReadDword(HKEY root, const std::wstring& path, const wchar_t* name) {
  DWORD value = 0, size = sizeof value;
  if (::RegGetValueW(root, path.c_str(), name, RRF_RT_REG_DWORD, nullptr, &value, &size) != ERROR_SUCCESS) return {};
  return value;
}

void RemoveAllServerEntries() {
  for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
    const std::wstring classes = kClasses;
    for (const std::wstring& key : {classes + L"Quillbox.AddIn", classes + L"Quillbox.AddIn.1", classes + kClassKey,
                                    classes + L"TypeLib\\" + kLibidText, std::wstring(kAddinKey)}) {
      ::RegDeleteTreeW(root, key.c_str());
    }
  }
}

ServerCopy::ServerCopy(const std::wstring& directoryName, const std::wstring& fileName, TypeLibrary typeLibrary,
                       const std::wstring& extraFile) {
  wchar_t temp[MAX_PATH];
  ::GetTempPathW(MAX_PATH, temp);
  directory_ = std::wstring(temp) + L"quillbox-" + std::to_wstring(::GetCurrentProcessId()) + L"-" + directoryName;
  path_ = directory_ + L"\\" + fileName;
  RemoveDirectoryTree(directory_);
  EXPECT_TRUE(::CreateDirectoryW(directory_.c_str(), nullptr));
  EXPECT_TRUE(::CopyFileW(AddinDllPath().c_str(), path_.c_str(), FALSE)) << ::GetLastError();
  if (typeLibrary == TypeLibrary::kRemoved) {
    EXPECT_TRUE(RemoveTypeLibraryResource(path_));
  }
  if (!extraFile.empty()) {
    const std::wstring target = directory_ + L"\\" + extraFile.substr(extraFile.find_last_of(L'\\') + 1);
    EXPECT_TRUE(::CopyFileW(extraFile.c_str(), target.c_str(), FALSE)) << ::GetLastError();
  }
  module_ = ::LoadLibraryW(path_.c_str());
  EXPECT_NE(module_, nullptr) << "LoadLibrary failed: " << ::GetLastError();
}

ServerCopy::~ServerCopy() {
  if (module_) ::FreeLibrary(module_);
  RemoveDirectoryTree(directory_);
}

template <typename Fn>
Fn ServerCopy::Entry(const char* name) const {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(module_, name)));
}

HRESULT ServerCopy::Register() const {
  auto entry = Entry<HRESULT(__stdcall*)()>("DllRegisterServer");
  return entry ? entry() : E_NOTIMPL;
}

HRESULT ServerCopy::Unregister() const {
  auto entry = Entry<HRESULT(__stdcall*)()>("DllUnregisterServer");
  return entry ? entry() : E_NOTIMPL;
}

HRESULT ServerCopy::Install(BOOL install, const wchar_t* commandLine) const {
  auto entry = Entry<HRESULT(__stdcall*)(BOOL, LPCWSTR)>("DllInstall");
  return entry ? entry(install, commandLine) : E_NOTIMPL;
}

}  // namespace quillbox::testing
