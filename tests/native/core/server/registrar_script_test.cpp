#include "server/registrar_script.h"

#include <gtest/gtest.h>

namespace quillbox {
namespace {

TEST(RegistrarScriptTest, ReadsNestedKeysKeywordsValuesAndQuotedNames) {
  const auto result = ParseRegistrarScript(
      u"HKCR\r\n{\r\n"
      u"\tApp.Name = s 'It''s ''mine'''\r\n\t{\r\n\t\tCLSID = s '{1}'\r\n\t}\r\n"
      u"\tNoRemove CLSID\r\n\t{\r\n"
      u"\t\tforceremove '{1}'\r\n\t\t{\r\n\t\t\tInprocServer32 = S 'C:\\x.dll' { VAL ThreadingModel = s 'Apartment' }\r\n"
      u"\t\t\t'NoRemove'\r\n\t\t}\r\n\t}\r\n}\r\n\r\n"
      u"hkey_local_machine { Software { val Count = d 42 val Mask = D 0xFFFFFFFF val 'Two words' = s 'x' } }"
      u" HKCU { } HKU { }");
  ASSERT_FALSE(result.error) << result.error.message;
  const auto& blocks = result.script.blocks;
  ASSERT_EQ(blocks.size(), 4u);
  EXPECT_EQ(blocks[0].root, RegistryRoot::kClassesRoot);
  EXPECT_EQ(blocks[1].root, RegistryRoot::kLocalMachine);
  EXPECT_EQ(blocks[2].root, RegistryRoot::kCurrentUser);
  EXPECT_EQ(blocks[3].root, RegistryRoot::kUsers);

  const RegistrarKey& progId = blocks[0].keys.at(0);
  EXPECT_EQ(progId.name, u"App.Name");
  EXPECT_EQ(progId.removal, KeyRemoval::kPlain);
  EXPECT_EQ(progId.defaultValue->text, u"It's 'mine'");
  EXPECT_EQ(progId.subkeys.at(0).defaultValue->text, u"{1}");

  const RegistrarKey& clsid = blocks[0].keys.at(1);
  EXPECT_EQ(clsid.removal, KeyRemoval::kNoRemove);
  EXPECT_FALSE(clsid.defaultValue);
  const RegistrarKey& classKey = clsid.subkeys.at(0);
  EXPECT_EQ(classKey.removal, KeyRemoval::kForceRemove);
  ASSERT_EQ(classKey.subkeys.size(), 2u);
  EXPECT_EQ(classKey.subkeys[0].defaultValue->text, u"C:\\x.dll");
  EXPECT_EQ(classKey.subkeys[0].values.at(0).name, u"ThreadingModel");
  EXPECT_EQ(classKey.subkeys[0].values.at(0).text, u"Apartment");
  EXPECT_EQ(classKey.subkeys[1].name, u"NoRemove");  // quoted: a name, not a keyword
  EXPECT_EQ(classKey.subkeys[1].removal, KeyRemoval::kPlain);

  const auto& values = blocks[1].keys.at(0).values;
  ASSERT_EQ(values.size(), 3u);
  EXPECT_EQ(values[0].type, RegistrarValue::Type::kDword);
  EXPECT_EQ(values[0].number, 42u);
  EXPECT_EQ(values[1].number, 0xFFFFFFFFu);
  EXPECT_EQ(values[2].name, u"Two words");
  EXPECT_EQ(values[2].type, RegistrarValue::Type::kString);
}

TEST(RegistrarScriptTest, SyntaxErrorsFailWithLineAndReason) {
  const struct {
    const char16_t* text;
    const char* message;
  } cases[] = {
      {u"HKXX { }", "line 1: expected a root key (HKCR, HKLM, HKCU or HKU), found \"HKXX\""},
      {u"HKCR\r\nKey", "line 2: expected '{' after HKCR, found \"Key\""},
      {u"HKCR {\r\n\tKey = s 'v'\r\n", "line 3: the block of HKCR has no closing '}'"},
      {u"HKCR { Key {\n val A = s 'b'\n", "line 3: the block of key \"Key\" has no closing '}'"},
      {u"HKCR { Key = s 'open\n }", "line 1: quoted text has no closing quote"},
      {u"HKCR { val A = s 'b' }", "line 1: a value cannot stand directly in the root block HKCR"},
      {u"HKCR { Key = x 'b' }", "line 1: expected the type s or d, found \"x\""},
      {u"HKCR { Key = s }", "line 1: expected the value's data, found '}'"},
      {u"HKCR { Key { val A = d 4294967296 } }", "line 1: \"4294967296\" is not a 32-bit number"},
      {u"HKCR { Key { val A s 'b' } }", "line 1: expected '=' after the value name, found \"s\""},
      {u"HKCR { NoRemove ForceRemove Key }", "line 1: a key takes one keyword, NoRemove or ForceRemove"},
      {u"HKCR { '' = s 'b' }", "line 1: a key name cannot be empty"},
  };
  for (const auto& c : cases) {
    const auto result = ParseRegistrarScript(c.text);
    EXPECT_EQ(result.error.code, registrar_error::kBadScript) << c.message;
    EXPECT_EQ(result.error.message, c.message);
    EXPECT_TRUE(result.script.blocks.empty());
  }
}

}  // namespace
}  // namespace quillbox
