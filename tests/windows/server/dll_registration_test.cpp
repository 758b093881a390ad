// QuillboxAddIn.dll's registration entry points, called directly on copies of the library:
// the command lines of DllInstall, the per-user switch, undoing a failed registration, the
// type library fallback, awkward paths, the thread locale and the version resource.

#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "registration_test_support.h"
#include "tests/windows/build_architecture.h"

namespace quillbox::testing {
namespace {

const std::wstring kClassesKey = kClasses;

std::optional<std::wstring> InprocServerPath(HKEY root) {
  return ReadString(root, kClassesKey + kClassKey + L"\\InprocServer32");
}

// Any of the ProgID keys, the class key or the add-in key below root (HKLM or HKCU).
bool HasEntries(HKEY root) {
  for (const std::wstring& key : {kClassesKey + L"Quillbox.AddIn", kClassesKey + L"Quillbox.AddIn.1",
                                  kClassesKey + kClassKey, std::wstring(kAddinKey)}) {
    if (KeyExists(root, key)) return true;
  }
  return false;
}

class DllRegistrationTest : public ::testing::Test {
 protected:
  void SetUp() override { RemoveAllServerEntries(); }
  void TearDown() override { RemoveAllServerEntries(); }
};

TEST_F(DllRegistrationTest, DllInstallCommandLineChoosesTheScope) {
  const struct {
    const wchar_t* commandLine;
    bool perUser;
  } cases[] = {{L"USER", true}, {L"user", true}, {L"users", false}, {L"use", false}, {nullptr, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.commandLine ? std::string(c.commandLine, c.commandLine + wcslen(c.commandLine)) : "(null)");
    const HKEY chosen = c.perUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
    const HKEY other = c.perUser ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
    ServerCopy server(L"scope");
    ASSERT_TRUE(server.Loaded());
    ASSERT_EQ(server.Install(TRUE, c.commandLine), S_OK);
    EXPECT_EQ(InprocServerPath(chosen), server.Path());
    EXPECT_TRUE(KeyExists(chosen, kAddinKey));
    EXPECT_FALSE(HasEntries(other));
    ASSERT_EQ(server.Install(FALSE, c.commandLine), S_OK);
    EXPECT_FALSE(HasEntries(chosen));
  }
}

TEST_F(DllRegistrationTest, PerUserSwitchStaysOnForDllRegisterServerInTheSameLoad) {
  ServerCopy server(L"switch");
  ASSERT_TRUE(server.Loaded());
  ASSERT_EQ(server.Register(), S_OK);  // machine-wide before the switch
  EXPECT_EQ(InprocServerPath(HKEY_LOCAL_MACHINE), server.Path());
  ASSERT_EQ(server.Install(FALSE, L"User"), S_OK);  // a per-user unregistration switches it on
  EXPECT_TRUE(HasEntries(HKEY_LOCAL_MACHINE));

  ASSERT_EQ(server.Register(), S_OK);
  EXPECT_EQ(InprocServerPath(HKEY_CURRENT_USER), server.Path());
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kAddinKey));
  ASSERT_EQ(server.Unregister(), S_OK);
  EXPECT_FALSE(HasEntries(HKEY_CURRENT_USER));
  EXPECT_TRUE(HasEntries(HKEY_LOCAL_MACHINE));  // untouched by the per-user calls
}

TEST_F(DllRegistrationTest, DllInstallUndoesARegistrationWhoseTypeLibraryCannotLoad) {
  ServerCopy server(L"undo", L"QuillboxAddIn.dll", ServerCopy::TypeLibrary::kRemoved);
  ASSERT_TRUE(server.Loaded());
  // DllRegisterServer keeps what it wrote before the type library failed...
  const HRESULT failure = server.Register();
  EXPECT_TRUE(FAILED(failure)) << std::hex << failure;
  EXPECT_EQ(InprocServerPath(HKEY_LOCAL_MACHINE), server.Path());
  EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kAddinKey));
  // ...DllInstall removes it again and returns the registration's failure.
  EXPECT_EQ(server.Install(TRUE, nullptr), failure);
  EXPECT_FALSE(HasEntries(HKEY_LOCAL_MACHINE));
  EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kClassesKey + L"CLSID"));
  EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Office\\Word\\Addins"));
}

TEST_F(DllRegistrationTest, TypeLibraryIsTakenFromTheTlbFileWhenTheLibraryHasNone) {
  ServerCopy server(L"tlb", L"QuillboxAddIn.dll", ServerCopy::TypeLibrary::kRemoved,
                    WideWinePath(QUILLBOX_TYPE_LIBRARY_DIR "/QuillboxAddIn.tlb"));
  ASSERT_TRUE(server.Loaded());
  ASSERT_EQ(server.Register(), S_OK);
  const std::wstring typeLibKey = kClassesKey + L"TypeLib\\" + kLibidText;
  EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, typeLibKey + L"\\1.1"), L"QuillboxAddInLib");
  EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, typeLibKey + L"\\1.1\\409\\" + kTypeLibraryPlatform),
            server.Directory() + L"\\QuillboxAddIn.tlb");
  ASSERT_EQ(server.Unregister(), S_OK);
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, typeLibKey));
  EXPECT_FALSE(HasEntries(HKEY_LOCAL_MACHINE));
}

TEST_F(DllRegistrationTest, PathWithSingleQuotesIsRegisteredUnchanged) {
  ServerCopy server(L"Teacher's ''Tools''", L"Quillbox'AddIn.dll");
  ASSERT_TRUE(server.Loaded());
  ASSERT_EQ(server.Register(), S_OK);
  EXPECT_EQ(InprocServerPath(HKEY_LOCAL_MACHINE), server.Path());
  ASSERT_EQ(server.Unregister(), S_OK);
  EXPECT_FALSE(HasEntries(HKEY_LOCAL_MACHINE));
}

TEST_F(DllRegistrationTest, LibraryPathOf260CharactersOrMoreFailsWithInsufficientBuffer) {
  wchar_t temp[MAX_PATH];
  ::GetTempPathW(MAX_PATH, temp);
  // "\\?\" lifts the MAX_PATH limit for creating, copying and loading.
  std::wstring folder = L"\\\\?\\" + std::wstring(temp) + L"quillbox-long-" + std::to_wstring(::GetCurrentProcessId());
  ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr));
  const size_t base = folder.size();
  while (folder.size() - 4 < MAX_PATH) {
    folder += L"\\" + std::wstring(40, L'd');
    ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr)) << ::GetLastError();
  }
  const std::wstring library = folder + L"\\QuillboxAddIn.dll";
  ASSERT_TRUE(::CopyFileW(AddinDllPath().c_str(), library.c_str(), FALSE));
  HMODULE module = ::LoadLibraryW(library.c_str());
  ASSERT_NE(module, nullptr);
  auto registerServer = reinterpret_cast<HRESULT(__stdcall*)()>(
      reinterpret_cast<void*>(::GetProcAddress(module, "DllRegisterServer")));
  EXPECT_EQ(registerServer(), HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_FALSE(HasEntries(HKEY_LOCAL_MACHINE));
  ::FreeLibrary(module);
  ::DeleteFileW(library.c_str());
  for (; folder.size() >= base; folder.erase(folder.find_last_of(L'\\'))) ::RemoveDirectoryW(folder.c_str());
}

TEST_F(DllRegistrationTest, RegistrationPutsTheThreadLocaleBack) {
  const LCID original = ::GetThreadLocale();
  const LCID german = MAKELCID(MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN), SORT_DEFAULT);
  ASSERT_TRUE(::SetThreadLocale(german));
  {
    ServerCopy server(L"locale");
    EXPECT_EQ(server.Register(), S_OK);
    EXPECT_EQ(::GetThreadLocale(), german);
    EXPECT_EQ(server.Unregister(), S_OK);
    EXPECT_EQ(::GetThreadLocale(), german);
  }
  ::SetThreadLocale(original);
}

TEST(DllVersionResourceTest, NamesTheLibraryAndItsVersion) {
  const std::wstring library = AddinDllPath();
  DWORD ignored = 0;
  const DWORD size = ::GetFileVersionInfoSizeW(library.c_str(), &ignored);
  ASSERT_GT(size, 0u);
  std::vector<BYTE> data(size);
  ASSERT_TRUE(::GetFileVersionInfoW(library.c_str(), 0, size, data.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(::VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(std::vector<DWORD>({fixed->dwFileVersionMS, fixed->dwFileVersionLS, fixed->dwProductVersionMS,
                                fixed->dwProductVersionLS, fixed->dwFileType}),
            std::vector<DWORD>({0x00010000u, 1u, 0x00010000u, 1u, static_cast<DWORD>(VFT_DLL)}));
  for (const auto& [name, value] :
       {std::pair{L"InternalName", L"QuillboxAddIn.dll"}, std::pair{L"OriginalFilename", L"QuillboxAddIn.dll"},
        std::pair{L"FileVersion", L"1.0.0.1"}, std::pair{L"ProductVersion", L"1.0.0.1"},
        std::pair{L"ProductName", L"Quillbox AddIn"}, std::pair{L"CompanyName", L"Slatewood"}}) {
    wchar_t* text = nullptr;
    const std::wstring query = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
    ASSERT_TRUE(::VerQueryValueW(data.data(), query.c_str(), reinterpret_cast<void**>(&text), &length));
    EXPECT_EQ(std::wstring(text), value);
  }
}

}  // namespace
}  // namespace quillbox::testing
