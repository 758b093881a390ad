// The Win32 registry writer against a scratch key of the current user, and the script
// resources as the library carries them.

#include "server/win/registration/win32_registry_writer.h"

#include <gtest/gtest.h>

#include "common/win/this_module.h"
#include "common/win/wide.h"
#include "registration_test_support.h"
#include "server/win/registration/registry_script_resource.h"

namespace quillbox::win {
namespace {

using testing::KeyExists;
using testing::ReadDword;
using testing::ReadString;

constexpr auto kUser = RegistryRoot::kCurrentUser;
constexpr int32_t kNotFound = static_cast<int32_t>(HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND));
const std::wstring kScratch = L"Software\\Quillbox Registrar Test";

class Win32RegistryWriterTest : public ::testing::Test {
 protected:
  void SetUp() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, kScratch.c_str()); }
  void TearDown() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, kScratch.c_str()); }
  static std::u16string Path(std::u16string_view below) { return FromWide(kScratch) + u"\\" + std::u16string(below); }
  static std::wstring PathW(const std::wstring& below) { return kScratch + L"\\" + below; }

  Win32RegistryWriter writer_;
};

TEST_F(Win32RegistryWriterTest, CreatesKeysOnTheWayAndWritesTypedValuesOnlyIntoExistingKeys) {
  EXPECT_EQ(writer_.OpenKey(kUser, Path(u"A\\B")), kNotFound);
  EXPECT_EQ(writer_.SetString(kUser, Path(u"A\\B"), u"", u"x"), kNotFound);
  EXPECT_EQ(writer_.SetDword(kUser, Path(u"A\\B"), u"N", 1), kNotFound);
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, PathW(L"A")));

  ASSERT_EQ(writer_.CreateKey(kUser, Path(u"A\\B")), S_OK);
  EXPECT_EQ(writer_.OpenKey(kUser, Path(u"a\\b")), S_OK);
  EXPECT_EQ(writer_.CreateKey(kUser, Path(u"A\\B")), S_OK);
  EXPECT_EQ(writer_.SetString(kUser, Path(u"A\\B"), u"", u"C:\\It's \u00E9t\u00E9.dll"), S_OK);
  EXPECT_EQ(writer_.SetString(kUser, Path(u"A\\B"), u"Empty", u""), S_OK);
  EXPECT_EQ(writer_.SetDword(kUser, Path(u"A\\B"), u"Number", 0xFFFFFFFFu), S_OK);
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, PathW(L"A\\B")), L"C:\\It's \u00E9t\u00E9.dll");
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, PathW(L"A\\B"), L"Empty"), L"");
  EXPECT_EQ(ReadDword(HKEY_CURRENT_USER, PathW(L"A\\B"), L"Number"), 0xFFFFFFFFu);
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, PathW(L"A\\B"), L"Number"), std::nullopt);  // REG_DWORD, not REG_SZ
}

TEST_F(Win32RegistryWriterTest, DeletesNamedAndDefaultValues) {
  ASSERT_EQ(writer_.CreateKey(kUser, Path(u"Values")), S_OK);
  ASSERT_EQ(writer_.SetString(kUser, Path(u"Values"), u"", u"d"), S_OK);
  ASSERT_EQ(writer_.SetDword(kUser, Path(u"Values"), u"N", 3), S_OK);
  EXPECT_EQ(writer_.DeleteValue(kUser, Path(u"Values"), u"N"), S_OK);
  EXPECT_EQ(writer_.DeleteValue(kUser, Path(u"Values"), u"N"), kNotFound);
  EXPECT_EQ(writer_.DeleteValue(kUser, Path(u"Values"), u""), S_OK);
  EXPECT_EQ(writer_.DeleteValue(kUser, Path(u"Missing"), u"N"), kNotFound);
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
  EXPECT_EQ(writer_.DeleteKeyIfNoSubkeys(kUser, Path(u"Parent")), S_OK);
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, PathW(L"Parent")));
  EXPECT_EQ(writer_.DeleteKeyIfNoSubkeys(kUser, Path(u"Parent")), kNotFound);
}

TEST_F(Win32RegistryWriterTest, DeleteTreeRemovesTheKeyWithEverythingBelowIt) {
  ASSERT_EQ(writer_.CreateKey(kUser, Path(u"Tree\\A\\B")), S_OK);
  ASSERT_EQ(writer_.SetString(kUser, Path(u"Tree\\A\\B"), u"V", u"v"), S_OK);
  ASSERT_EQ(writer_.CreateKey(kUser, Path(u"Sibling")), S_OK);
  EXPECT_EQ(writer_.DeleteTree(kUser, Path(u"Tree")), S_OK);
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, PathW(L"Tree")));
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, PathW(L"Sibling")));
  EXPECT_EQ(writer_.DeleteTree(kUser, Path(u"Tree")), kNotFound);
}

TEST(RegistryScriptResourceTest, LibraryCarriesTheScriptFilesByteForByteInUsEnglish) {
  HMODULE library = ::LoadLibraryExW(testing::AddinDllPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(library, nullptr);
  for (const auto& [id, file] : {std::pair{101, "module_appid.rgs"}, std::pair{202, "connect_class.rgs"}}) {
    const std::string bytes = testing::ReadFileBytes(testing::SourceFilePath(
        (std::string("server/win/registration/") + file).c_str()));
    HRSRC resource = ::FindResourceExW(library, L"REGISTRY", MAKEINTRESOURCEW(id),
                                       MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
    ASSERT_NE(resource, nullptr) << id;
    EXPECT_EQ(::SizeofResource(library, resource), bytes.size()) << id;
    std::u16string text;
    ASSERT_EQ(LoadRegistryScript(library, id, text), S_OK);
    EXPECT_EQ(text, std::u16string(bytes.begin(), bytes.end()));
  }
  ::FreeLibrary(library);

  std::u16string text;  // this program has no resource section, or none of type REGISTRY
  const HRESULT missing = LoadRegistryScript(ThisModule(), 202, text);
  EXPECT_TRUE(missing == HRESULT_FROM_WIN32(ERROR_RESOURCE_DATA_NOT_FOUND) ||
              missing == HRESULT_FROM_WIN32(ERROR_RESOURCE_TYPE_NOT_FOUND))
      << std::hex << missing;
}

}  // namespace
}  // namespace quillbox::win
