#include "registration_test_support.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <vector>

namespace quillbox::test {
namespace {

void DeleteTreeIfThere(HKEY root, const std::wstring& path) { ::RegDeleteTreeW(root, path.c_str()); }

std::string Narrow(const std::wstring& text) {
  const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(size > 0 ? size - 1 : 0), '\0');
  if (size > 1) ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out.data(), size, nullptr, nullptr);
  return out;
}

void RemoveDirectoryTree(const std::wstring& path) {
  WIN32_FIND_DATAW found;
  HANDLE search = ::FindFirstFileW((path + L"\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring child = path + L"\\" + name;
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

}  // namespace

std::wstring WindowsPath(const char* unixPath) {
  std::wstring path = L"Z:";
  for (const char* c = unixPath; *c; ++c) path.push_back(*c == '/' ? L'\\' : static_cast<wchar_t>(*c));
  return path;
}

std::wstring AddinDllPath() { return WindowsPath(QUILLBOX_ADDIN_DLL); }

std::wstring SourceFilePath(const char* relativePath) {
  return WindowsPath((std::string(QUILLBOX_SOURCE_DIR) + "/" + relativePath).c_str());
}

std::string ReadFileBytes(const std::wstring& path) {
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    ADD_FAILURE() << "cannot open " << Narrow(path);
    return {};
  }
  std::string bytes;
  char buffer[4096];
  DWORD read = 0;
  while (::ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) bytes.append(buffer, read);
  ::CloseHandle(file);
  return bytes;
}

void CopyFileOrFail(const std::wstring& from, const std::wstring& to) {
  ASSERT_TRUE(::CopyFileW(from.c_str(), to.c_str(), FALSE))
      << "copy " << Narrow(from) << " -> " << Narrow(to) << " failed: " << ::GetLastError();
}

ScratchDirectory::ScratchDirectory(const std::wstring& name) {
  wchar_t temp[MAX_PATH];
  ::GetTempPathW(MAX_PATH, temp);
  path_ = std::wstring(temp) + L"quillbox-registration-" + std::to_wstring(::GetCurrentProcessId()) + L"-" + name;
  RemoveDirectoryTree(path_);
  EXPECT_TRUE(::CreateDirectoryW(path_.c_str(), nullptr)) << Narrow(path_);
}

ScratchDirectory::~ScratchDirectory() { RemoveDirectoryTree(path_); }

bool KeyExists(HKEY root, const std::wstring& path) {
  HKEY key = nullptr;
  if (::RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  ::RegCloseKey(key);
  return true;
}

std::optional<std::wstring> ReadString(HKEY root, const std::wstring& path, const wchar_t* name) {
  DWORD size = 0;
  if (::RegGetValueW(root, path.c_str(), name, RRF_RT_REG_SZ, nullptr, nullptr, &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1);
  if (::RegGetValueW(root, path.c_str(), name, RRF_RT_REG_SZ, nullptr, buffer.data(), &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  return std::wstring(buffer.data());
}

std::optional<DWORD> ReadDword(HKEY root, const std::wstring& path, const wchar_t* name) {
  DWORD value = 0;
  DWORD size = sizeof value;
  if (::RegGetValueW(root, path.c_str(), name, RRF_RT_REG_DWORD, nullptr, &value, &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  return value;
}

void RemoveAllServerEntries() {
  for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
    const std::wstring classes = kClasses;
    DeleteTreeIfThere(root, classes + L"Quillbox.AddIn");
    DeleteTreeIfThere(root, classes + L"Quillbox.AddIn.1");
    DeleteTreeIfThere(root, classes + kClassKey);
    DeleteTreeIfThere(root, classes + L"TypeLib\\" + kLibidText);
    DeleteTreeIfThere(root, kAddinKey);
  }
}

LoadedServer::LoadedServer(const std::wstring& path) : module_(::LoadLibraryW(path.c_str())) {
  EXPECT_NE(module_, nullptr) << "LoadLibrary " << Narrow(path) << " failed: " << ::GetLastError();
}

LoadedServer::~LoadedServer() {
  if (module_) ::FreeLibrary(module_);
}

HRESULT LoadedServer::Register() const {
  auto entry = reinterpret_cast<HRESULT(__stdcall*)()>(
      reinterpret_cast<void*>(::GetProcAddress(module_, "DllRegisterServer")));
  return entry ? entry() : E_NOTIMPL;
}

HRESULT LoadedServer::Unregister() const {
  auto entry = reinterpret_cast<HRESULT(__stdcall*)()>(
      reinterpret_cast<void*>(::GetProcAddress(module_, "DllUnregisterServer")));
  return entry ? entry() : E_NOTIMPL;
}

HRESULT LoadedServer::Install(BOOL install, const wchar_t* commandLine) const {
  auto entry = reinterpret_cast<HRESULT(__stdcall*)(BOOL, LPCWSTR)>(
      reinterpret_cast<void*>(::GetProcAddress(module_, "DllInstall")));
  return entry ? entry(install, commandLine) : E_NOTIMPL;
}

bool RemoveTypeLibraryResource(const std::wstring& libraryPath) {
  // Wine's EndUpdateResourceW reports success without changing the file, so the resource
  // type's name in the resource directory ("TYPELIB" as a counted UTF-16 string) is renamed
  // instead, and FindResource no longer finds the type library.
  std::string bytes = ReadFileBytes(libraryPath);
  static const char kName[] = {7, 0, 'T', 0, 'Y', 0, 'P', 0, 'E', 0, 'L', 0, 'I', 0, 'B', 0};
  const std::string name(kName, sizeof kName);
  const size_t at = bytes.find(name);
  if (at == std::string::npos || bytes.find(name, at + 1) != std::string::npos) return false;
  bytes[at + sizeof kName - 2] = 'X';  // TYPELIX
  HANDLE file = ::CreateFileW(libraryPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok = ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                  written == bytes.size();
  ::CloseHandle(file);
  if (!ok) return false;
  HMODULE data = ::LoadLibraryExW(libraryPath.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  const bool gone = data && !::FindResourceW(data, MAKEINTRESOURCEW(1), L"TYPELIB");
  if (data) ::FreeLibrary(data);
  return gone;
}

}  // namespace quillbox::test
