#pragma once
// Helpers for the registration tests under Wine: the built library and source files by their
// Windows paths (Wine's Z: drive is the Unix root), scratch directories, registry reads and
// the removal of every entry the library can write.

#include <windows.h>

#include <optional>
#include <string>

namespace quillbox::test {

constexpr wchar_t kClsidText[] = L"{2DD227D3-A097-4000-B385-2F845556AF4E}";
constexpr wchar_t kLibidText[] = L"{489CFAD6-9778-4B49-8D9E-5B8E4DE9705A}";
constexpr wchar_t kClassKey[] = L"CLSID\\{2DD227D3-A097-4000-B385-2F845556AF4E}";
constexpr wchar_t kAddinKey[] = L"Software\\Microsoft\\Office\\Word\\Addins\\Quillbox.AddIn";
// Class entries live below this key of HKLM (machine-wide) or HKCU (per user); under Wine,
// HKCR shows only the HKLM half.
constexpr wchar_t kClasses[] = L"Software\\Classes\\";

// A Unix path as Wine sees it.
std::wstring WindowsPath(const char* unixPath);
std::wstring AddinDllPath();
std::wstring SourceFilePath(const char* relativePath);

std::string ReadFileBytes(const std::wstring& path);
void CopyFileOrFail(const std::wstring& from, const std::wstring& to);

// A new directory under the temporary folder, removed with its files at the end.
class ScratchDirectory {
 public:
  explicit ScratchDirectory(const std::wstring& name);
  ~ScratchDirectory();
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;
  const std::wstring& Path() const { return path_; }
  std::wstring File(const std::wstring& name) const { return path_ + L"\\" + name; }

 private:
  std::wstring path_;
};

bool KeyExists(HKEY root, const std::wstring& path);
std::optional<std::wstring> ReadString(HKEY root, const std::wstring& path, const wchar_t* name = nullptr);
std::optional<DWORD> ReadDword(HKEY root, const std::wstring& path, const wchar_t* name);

// Deletes the ProgID keys, the class key, the add-in key and the type library registration
// in both the machine-wide and the per-user places.
void RemoveAllServerEntries();

// The library loaded from a path, with its registration entry points.
class LoadedServer {
 public:
  explicit LoadedServer(const std::wstring& path);
  ~LoadedServer();
  LoadedServer(const LoadedServer&) = delete;
  LoadedServer& operator=(const LoadedServer&) = delete;

  bool Loaded() const { return module_ != nullptr; }
  HRESULT Register() const;
  HRESULT Unregister() const;
  HRESULT Install(BOOL install, const wchar_t* commandLine) const;

 private:
  HMODULE module_ = nullptr;
};

// Makes resource TYPELIB 1 of a library file that is not loaded unfindable.
bool RemoveTypeLibraryResource(const std::wstring& libraryPath);

}  // namespace quillbox::test
