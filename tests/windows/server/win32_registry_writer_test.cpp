// The Win32 registry writer against a scratch key of the current user, and the module helpers
// that feed the registration scripts.

#include "server/win/registration/win32_registry_writer.h"

#include <gtest/gtest.h>

#include "common/win/this_module.h"
#include "registration_test_support.h"
#include "server/win/registration/module_script_variables.h"
#include "server/win/registration/registry_script_resource.h"

namespace quillbox::win {
namespace {

using test::KeyExists;
using test::ReadDword;
using test::ReadString;

constexpr auto kUser = RegistryRoot::kCurrentUser;
constexpr char16_t kScratch[] = u"Software\\Quillbox Registrar Test";
const std::wstring kScratchW = L"Software\\Quillbox Registrar Test";
constexpr int32_t kNotFound = static_cast<int32_t>(HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND));

class Win32RegistryWriterTest : public ::testing::Test {
 protected:
  void SetUp() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, kScratchW.c_str()); }
  void TearDown() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, kScratchW.c_str()); }
  static std::u16string Path(std::u16string_view below) { return std::u16string(kScratch) + u"\\" + std::u16string(below); }
  static std::wstring PathW(const std::wstring& below) { return kScratchW + L"\\" + below; }

  Win32RegistryWriter writer_;
};

TEST_F(Win32RegistryWriterTest, CreatesMissingKeysOnTheWayAndOpensExistingOnes) {
  EXPECT_EQ(writer_.OpenKey(kUser, Path(u"A\\B")), kNotFound);
  ASSERT_EQ(writer_.CreateKey(kUser, Path(u"A\\B")), S_OK);
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, PathW(L"A")));
  EXPECT_EQ(writer_.OpenKey(kUser, Path(u"A\\B")), S_OK);
  EXPECT_EQ(writer_.OpenKey(kUser, Path(u"a\\b")), S_OK);
  EXPECT_EQ(writer_.CreateKey(kUser, Path(u"A\\B")), S_OK);
}

TEST_F(Win32RegistryWriterTest, WritesStringsAndDwordsWithTheirTypes) {
  ASSERT_EQ(writer_.CreateKey(kUser, Path(u"Values")), S_OK);
  EXPECT_EQ(writer_.SetString(kUser, Path(u"Values"), u"", u"C:\\It's \u00E9t\u00E9.dll"), S_OK);
  EXPECT_EQ(writer_.SetString(kUser, Path(u"Values"), u"Named", u""), S_OK);
  EXPECT_EQ(writer_.SetDword(kUser, Path(u"Values"), u"Number", 0xFFFFFFFFu), S_OK);
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, PathW(L"Values")), L"C:\\It's \u00E9t\u00E9.dll");
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, PathW(L"Values"), L"Named"), L"");
  EXPECT_EQ(ReadDword(HKEY_CURRENT_USER, PathW(L"Values"), L"Number"), 0xFFFFFFFFu);
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, PathW(L"Values"), L"Number"), std::nullopt);  // not REG_SZ
}

TEST_F(Win32RegistryWriterTest, ValuesNeedAnExistingKey) {
  EXPECT_EQ(writer_.SetString(kUser, Path(u"Missing"), u"", u"x"), kNotFound);
  EXPECT_EQ(writer_.SetDword(kUser, Path(u"Missing"), u"N", 1), kNotFound);
  EXPECT_EQ(writer_.DeleteValue(kUser, Path(u"Missing"), u"N"), kNotFound);
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, PathW(L"Missing")));
}

TEST_F(Win32RegistryWriterTest, DeletesNamedAndDefaultValues) {
  ASSERT_EQ(writer_.CreateKey(kUser, Path(u"Values")), S_OK);
  ASSERT_EQ(writer_.SetString(kUser, Path(u"Values"), u"", u"d"), S_OK);
  ASSERT_EQ(writer_.SetDword(kUser, Path(u"Values"), u"N", 3), S_OK);
  EXPECT_EQ(writer_.DeleteValue(kUser, Path(u"Values"), u"N"), S_OK);
  EXPECT_EQ(writer_.DeleteValue(kUser, Path(u"Values"), u"N"), kNotFound);
  EXPECT_EQ(writer_.DeleteValue(kUser, Path(u"Values"), u""), S_OK);
  EXPECT_EQ(ReadDword(HKEY_CURRENT_USER, PathW(L"Values"), L"N"), std::nullopt);
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, PathW(L"Values")), std::nullopt);
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, PathW(L"Values")));
}

TEST_F(Win32RegistryWriterTest, DeleteKeyIfNoSubkeysKeepsAKeyWithSubkeysAndIgnoresValues) {
  ASSERT_EQ(writer_.CreateKey(kUser, Path(u"Parent\\Child")), S_OK);
  ASSERT_EQ(writer_.SetDword(kUser, Path(u"Parent"), u"N", 1), S_OK);
  EXPECT_EQ(writer_.DeleteKeyIfNoSubkeys(kUser, Path(u"Parent")), S_OK);
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, PathW(L"Parent\\Child")));

  EXPECT_EQ(writer_.DeleteKeyIfNoSubkeys(kUser, Path(u"Parent\\Child")), S_OK);
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, PathW(L"Parent\\Child")));
  EXPECT_EQ(writer_.DeleteKeyIfNoSubkeys(kUser, Path(u"Parent")), S_OK);
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, PathW(L"Parent")));
  EXPECT_EQ(writer_.DeleteKeyIfNoSubkeys(kUser, Path(u"Parent")), kNotFound);
}

TEST_F(Win32RegistryWriterTest, DeleteTreeRemovesTheKeyWithEverythingBelowIt) {
  ASSERT_EQ(writer_.CreateKey(kUser, Path(u"Tree\\A\\B")), S_OK);
  ASSERT_EQ(writer_.CreateKey(kUser, Path(u"Tree\\C")), S_OK);
  ASSERT_EQ(writer_.SetString(kUser, Path(u"Tree\\A\\B"), u"V", u"v"), S_OK);
  ASSERT_EQ(writer_.CreateKey(kUser, Path(u"Sibling")), S_OK);
  EXPECT_EQ(writer_.DeleteTree(kUser, Path(u"Tree")), S_OK);
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, PathW(L"Tree")));
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, PathW(L"Sibling")));
  EXPECT_EQ(writer_.DeleteTree(kUser, Path(u"Tree")), kNotFound);
}

TEST(ModuleScriptVariablesTest, GuidTextIsBracedUpperCaseHexadecimal) {
  const GUID clsid = {0x2DD227D3, 0xA097, 0x4000, {0xB3, 0x85, 0x2F, 0x84, 0x55, 0x56, 0xAF, 0x4E}};
  EXPECT_EQ(RegistryGuidText(clsid), u"{2DD227D3-A097-4000-B385-2F845556AF4E}");
}

TEST(ModuleScriptVariablesTest, ModuleVariablesHoldThisProgramsPathAndTheIdentities) {
  wchar_t expected[MAX_PATH];
  const DWORD length = ::GetModuleFileNameW(nullptr, expected, MAX_PATH);
  std::wstring path;
  ASSERT_EQ(ModuleFilePath(ThisModule(), path), S_OK);
  EXPECT_EQ(path, std::wstring(expected, length));

  ReplacementVariables variables;
  ASSERT_EQ(ModuleScriptVariables(ThisModule(), variables), S_OK);
  EXPECT_EQ(*variables.Find(u"module"), std::u16string(reinterpret_cast<const char16_t*>(expected), length));
  EXPECT_EQ(*variables.Find(u"CLSID"), u"{2DD227D3-A097-4000-B385-2F845556AF4E}");
  EXPECT_EQ(*variables.Find(u"LIBID"), u"{489CFAD6-9778-4B49-8D9E-5B8E4DE9705A}");
  EXPECT_EQ(*variables.Find(u"APPID"), u"{06FB7774-FDC6-4FA3-AED8-8535116DDDA0}");
}

TEST(RegistryScriptResourceTest, ScriptsInTheLibraryAreTheScriptFilesByteForByte) {
  HMODULE library = ::LoadLibraryExW(test::AddinDllPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(library, nullptr);
  const struct {
    int id;
    const char* file;
  } scripts[] = {{101, "server/win/registration/module_appid.rgs"}, {202, "server/win/registration/connect_class.rgs"}};
  for (const auto& script : scripts) {
    const std::string bytes = test::ReadFileBytes(test::SourceFilePath(script.file));
    ASSERT_FALSE(bytes.empty());
    HRSRC resource = ::FindResourceExW(library, L"REGISTRY", MAKEINTRESOURCEW(script.id),
                                       MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
    ASSERT_NE(resource, nullptr) << script.id;
    EXPECT_EQ(std::string(static_cast<const char*>(::LockResource(::LoadResource(library, resource))),
                          ::SizeofResource(library, resource)),
              bytes);
    std::u16string text;
    ASSERT_EQ(LoadRegistryScript(library, script.id, text), S_OK);
    EXPECT_EQ(text, std::u16string(bytes.begin(), bytes.end()));
  }
  ::FreeLibrary(library);
}

TEST(RegistryScriptResourceTest, MissingScriptFailsWithTheResourceError) {
  std::u16string text;
  const HRESULT result = LoadRegistryScript(ThisModule(), 202, text);
  // This program has no resource section at all, or none of type REGISTRY.
  EXPECT_TRUE(result == HRESULT_FROM_WIN32(ERROR_RESOURCE_DATA_NOT_FOUND) ||
              result == HRESULT_FROM_WIN32(ERROR_RESOURCE_TYPE_NOT_FOUND))
      << std::hex << result;
}

}  // namespace
}  // namespace quillbox::win
