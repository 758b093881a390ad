// QuillboxAddIn.dll's registration entry points, called directly on copies of the library:
// the command lines of DllInstall, the per-user switch, undoing a failed registration, the
// type library fallback, awkward paths, the thread locale and the version resource.

#include <windows.h>

#include <gtest/gtest.h>

#include "registration_test_support.h"

namespace quillbox::test {
namespace {

const std::wstring kClasses_ = kClasses;

// Where each scope puts its entries (HKCR's machine half is HKLM\Software\Classes).
struct ScopeKeys {
  HKEY root;
  const char* name;
};
const ScopeKeys kMachineKeys{HKEY_LOCAL_MACHINE, "machine-wide"};
const ScopeKeys kUserKeys{HKEY_CURRENT_USER, "per user"};

std::wstring InprocServerPath(const ScopeKeys& scope) {
  return ReadString(scope.root, kClasses_ + kClassKey + L"\\InprocServer32").value_or(L"(none)");
}

bool HasClassEntries(const ScopeKeys& scope) {
  return KeyExists(scope.root, kClasses_ + L"Quillbox.AddIn") || KeyExists(scope.root, kClasses_ + L"Quillbox.AddIn.1") ||
         KeyExists(scope.root, kClasses_ + kClassKey);
}

bool HasAddinKey(const ScopeKeys& scope) { return KeyExists(scope.root, kAddinKey); }

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
  int index = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.commandLine ? std::string(c.commandLine, c.commandLine + wcslen(c.commandLine)) : "(null)");
    // A fresh copy for every case: the per-user switch lasts as long as the library is loaded.
    ScratchDirectory directory(L"scope" + std::to_wstring(index++));
    const std::wstring library = directory.File(L"QuillboxAddIn.dll");
    CopyFileOrFail(AddinDllPath(), library);
    const ScopeKeys& chosen = c.perUser ? kUserKeys : kMachineKeys;
    const ScopeKeys& other = c.perUser ? kMachineKeys : kUserKeys;
    {
      LoadedServer server(library);
      ASSERT_TRUE(server.Loaded());
      ASSERT_EQ(server.Install(TRUE, c.commandLine), S_OK);
      EXPECT_EQ(InprocServerPath(chosen), library);
      EXPECT_TRUE(HasAddinKey(chosen));
      EXPECT_FALSE(HasClassEntries(other));
      EXPECT_FALSE(HasAddinKey(other));

      ASSERT_EQ(server.Install(FALSE, c.commandLine), S_OK);
      EXPECT_FALSE(HasClassEntries(chosen));
      EXPECT_FALSE(HasAddinKey(chosen));
    }
    RemoveAllServerEntries();
  }
}

TEST_F(DllRegistrationTest, PerUserSwitchStaysOnForDllRegisterServerInTheSameLoad) {
  ScratchDirectory directory(L"switch");
  const std::wstring library = directory.File(L"QuillboxAddIn.dll");
  CopyFileOrFail(AddinDllPath(), library);
  LoadedServer server(library);
  ASSERT_TRUE(server.Loaded());
  ASSERT_EQ(server.Register(), S_OK);  // machine-wide before the switch
  EXPECT_EQ(InprocServerPath(kMachineKeys), library);
  ASSERT_EQ(server.Install(FALSE, L"User"), S_OK);  // per-user unregistration switches it on
  EXPECT_TRUE(HasClassEntries(kMachineKeys));

  ASSERT_EQ(server.Register(), S_OK);
  EXPECT_EQ(InprocServerPath(kUserKeys), library);
  EXPECT_TRUE(HasAddinKey(kUserKeys));
  ASSERT_EQ(server.Unregister(), S_OK);
  EXPECT_FALSE(HasClassEntries(kUserKeys));
  EXPECT_FALSE(HasAddinKey(kUserKeys));
  EXPECT_TRUE(HasClassEntries(kMachineKeys));  // untouched by per-user calls
}

TEST_F(DllRegistrationTest, DllInstallUndoesARegistrationWhoseTypeLibraryCannotLoad) {
  ScratchDirectory directory(L"undo");
  const std::wstring library = directory.File(L"QuillboxAddIn.dll");
  CopyFileOrFail(AddinDllPath(), library);
  ASSERT_TRUE(RemoveTypeLibraryResource(library));
  LoadedServer server(library);
  ASSERT_TRUE(server.Loaded());

  // DllRegisterServer keeps what it wrote before the type library failed...
  const HRESULT failure = server.Register();
  EXPECT_TRUE(FAILED(failure)) << std::hex << failure;
  EXPECT_EQ(InprocServerPath(kMachineKeys), library);
  EXPECT_TRUE(HasAddinKey(kMachineKeys));

  // ...DllInstall removes it again and returns the registration's failure.
  EXPECT_EQ(server.Install(TRUE, nullptr), failure);
  EXPECT_FALSE(HasClassEntries(kMachineKeys));
  EXPECT_FALSE(HasAddinKey(kMachineKeys));
  EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kClasses_ + L"CLSID"));
  EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Office\\Word\\Addins"));
}

TEST_F(DllRegistrationTest, TypeLibraryIsTakenFromTheTlbFileWhenTheLibraryHasNone) {
  ScratchDirectory directory(L"tlb");
  const std::wstring library = directory.File(L"QuillboxAddIn.dll");
  const std::wstring typeLibrary = directory.File(L"QuillboxAddIn.tlb");
  CopyFileOrFail(AddinDllPath(), library);
  CopyFileOrFail(WindowsPath(QUILLBOX_TYPE_LIBRARY), typeLibrary);
  ASSERT_TRUE(RemoveTypeLibraryResource(library));
  LoadedServer server(library);
  ASSERT_TRUE(server.Loaded());

  ASSERT_EQ(server.Register(), S_OK);
  const std::wstring typeLibKey = kClasses_ + L"TypeLib\\" + kLibidText + L"\\1.1";
  EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, typeLibKey), L"QuillboxAddInLib");
  EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, typeLibKey + L"\\409\\win64"), typeLibrary);
  ASSERT_EQ(server.Unregister(), S_OK);
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kClasses_ + L"TypeLib\\" + kLibidText));
  EXPECT_FALSE(HasClassEntries(kMachineKeys));
}

TEST_F(DllRegistrationTest, TypeLibraryIsRegisteredFromTheLibraryFile) {
  ScratchDirectory directory(L"typelib");
  const std::wstring library = directory.File(L"QuillboxAddIn.dll");
  CopyFileOrFail(AddinDllPath(), library);
  LoadedServer server(library);
  ASSERT_TRUE(server.Loaded());
  ASSERT_EQ(server.Register(), S_OK);
  EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kClasses_ + L"TypeLib\\" + kLibidText + L"\\1.1\\409\\win64"), library);
  ASSERT_EQ(server.Unregister(), S_OK);
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kClasses_ + L"TypeLib\\" + kLibidText));
  // A second unregistration finds the script's entries gone, but the type library no
  // longer registered is the failing step that it reports.
  EXPECT_TRUE(FAILED(server.Unregister()));
  EXPECT_FALSE(HasClassEntries(kMachineKeys));
}

TEST_F(DllRegistrationTest, PathWithSingleQuotesIsRegisteredUnchanged) {
  ScratchDirectory directory(L"Teacher's ''Tools''");
  const std::wstring library = directory.File(L"Quillbox'AddIn.dll");
  CopyFileOrFail(AddinDllPath(), library);
  LoadedServer server(library);
  ASSERT_TRUE(server.Loaded());
  ASSERT_EQ(server.Register(), S_OK);
  EXPECT_EQ(InprocServerPath(kMachineKeys), library);
  EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kClasses_ + kClassKey + L"\\InprocServer32", L"ThreadingModel"),
            L"Apartment");
  ASSERT_EQ(server.Unregister(), S_OK);
  EXPECT_FALSE(HasClassEntries(kMachineKeys));
}

TEST_F(DllRegistrationTest, LibraryPathOf260CharactersOrMoreFailsWithInsufficientBuffer) {
  ScratchDirectory directory(L"long");
  // "\\?\" lifts the MAX_PATH limit for creating, copying and loading.
  std::wstring folder = L"\\\\?\\" + directory.Path();
  while (folder.size() - 4 < MAX_PATH) {
    folder += L"\\" + std::wstring(40, L'd');
    ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr)) << ::GetLastError();
  }
  const std::wstring library = folder + L"\\QuillboxAddIn.dll";
  CopyFileOrFail(AddinDllPath(), library);
  {
    LoadedServer server(library);
    ASSERT_TRUE(server.Loaded());
    EXPECT_EQ(server.Register(), HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(server.Install(TRUE, nullptr), HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_FALSE(HasClassEntries(kMachineKeys));
    EXPECT_FALSE(HasAddinKey(kMachineKeys));
  }
  ::DeleteFileW(library.c_str());
  while (folder.size() > directory.Path().size() + 4) {
    ::RemoveDirectoryW(folder.c_str());
    folder.erase(folder.find_last_of(L'\\'));
  }
}

TEST_F(DllRegistrationTest, RegistrationPutsTheThreadLocaleBack) {
  ScratchDirectory directory(L"locale");
  const std::wstring library = directory.File(L"QuillboxAddIn.dll");
  CopyFileOrFail(AddinDllPath(), library);
  LoadedServer server(library);
  ASSERT_TRUE(server.Loaded());
  const LCID original = ::GetThreadLocale();
  const LCID german = MAKELCID(MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN), SORT_DEFAULT);
  ASSERT_TRUE(::SetThreadLocale(german));
  EXPECT_EQ(server.Register(), S_OK);
  EXPECT_EQ(::GetThreadLocale(), german);
  EXPECT_EQ(server.Unregister(), S_OK);
  EXPECT_EQ(::GetThreadLocale(), german);
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
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwFileVersionLS, 0x00000001u);
  EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwProductVersionLS, 0x00000001u);
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_DLL));

  const struct {
    const wchar_t* name;
    const wchar_t* value;
  } strings[] = {{L"InternalName", L"QuillboxAddIn.dll"}, {L"OriginalFilename", L"QuillboxAddIn.dll"},
                 {L"FileVersion", L"1.0.0.1"},            {L"ProductVersion", L"1.0.0.1"},
                 {L"ProductName", L"Quillbox AddIn"},     {L"CompanyName", L"Slatewood"}};
  for (const auto& entry : strings) {
    wchar_t* value = nullptr;
    const std::wstring query = std::wstring(L"\\StringFileInfo\\040904B0\\") + entry.name;
    ASSERT_TRUE(::VerQueryValueW(data.data(), query.c_str(), reinterpret_cast<void**>(&value), &length))
        << std::string(query.begin(), query.end());
    EXPECT_EQ(std::wstring(value), entry.value);
  }
}

}  // namespace
}  // namespace quillbox::test
