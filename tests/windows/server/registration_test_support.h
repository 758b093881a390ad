#pragma once
// Helpers for the registration tests under Wine: the built library and source files by their
// Windows paths (Wine's Z: drive is the Unix root), copies of the library in scratch
// directories, registry reads, and the removal of every entry the library can write.

#include <windows.h>

#include <optional>
#include <string>

#include "tests/support/wine_path.h"

namespace quillbox::testing {

constexpr wchar_t kLibidText[] = L"{489CFAD6-9778-4B49-8D9E-5B8E4DE9705A}";
constexpr wchar_t kClassKey[] = L"CLSID\\{2DD227D3-A097-4000-B385-2F845556AF4E}";
constexpr wchar_t kAddinKey[] = L"Software\\Microsoft\\Office\\Word\\Addins\\Quillbox.AddIn";
// Class entries live below this key of HKLM (machine-wide) or HKCU (per user); under Wine,
// HKCR shows only the HKLM half.
constexpr wchar_t kClasses[] = L"Software\\Classes\\";

std::wstring AddinDllPath();
std::wstring SourceFilePath(const std::string& relativePath);
std::string ReadFileBytes(const std::wstring& path);

bool KeyExists(HKEY root, const std::wstring& path);
std::optional<std::wstring> ReadString(HKEY root, const std::wstring& path, const wchar_t* name = nullptr);
std::optional<DWORD> ReadDword(HKEY root, const std::wstring& path, const wchar_t* name);

// Deletes the ProgID keys, the class key, the add-in key and the type library registration,
// machine-wide and per user.
void RemoveAllServerEntries();

// A copy of QuillboxAddIn.dll in a new directory under the temporary folder, loaded, with its
// registration entry points; directory and copy are removed at the end. Each copy is a
// load of its own, so the per-user switch starts off.
class ServerCopy {
 public:
  enum class TypeLibrary { kKept, kRemoved };
  ServerCopy(const std::wstring& directoryName, const std::wstring& fileName = L"QuillboxAddIn.dll",
             TypeLibrary typeLibrary = TypeLibrary::kKept, const std::wstring& extraFile = {});
  ~ServerCopy();
  ServerCopy(const ServerCopy&) = delete;
  ServerCopy& operator=(const ServerCopy&) = delete;

  const std::wstring& Directory() const { return directory_; }
  const std::wstring& Path() const { return path_; }
  bool Loaded() const { return module_ != nullptr; }
  HRESULT Register() const;
  HRESULT Unregister() const;
  HRESULT Install(BOOL install, const wchar_t* commandLine) const;

 private:
  template <typename Fn>
  Fn Entry(const char* name) const;

  std::wstring directory_;
  std::wstring path_;
  HMODULE module_ = nullptr;
};

}  // namespace quillbox::testing
