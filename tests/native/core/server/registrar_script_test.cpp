#include "server/registrar_script.h"

#include <gtest/gtest.h>

namespace quillbox {
namespace {

TEST(RegistrarScriptTest, ReadsNestedKeysKeywordsAndValues) {
  const auto result = ParseRegistrarScript(
      u"HKCR\r\n{\r\n"
      u"\tApp.Name = s 'My App'\r\n\t{\r\n\t\tCLSID = s '{1}'\r\n\t}\r\n"
      u"\tNoRemove CLSID\r\n\t{\r\n"
      u"\t\tForceRemove '{1}' = s 'Desc'\r\n\t\t{\r\n"
      u"\t\t\tInprocServer32 = s 'C:\\x.dll'\r\n\t\t\t{\r\n\t\t\t\tval ThreadingModel = s 'Apartment'\r\n\t\t\t}\r\n"
      u"\t\t\t'Programmable'\r\n"
      u"\t\t}\r\n\t}\r\n}\r\n\r\n"
      u"HKLM { Software { val Count = d 42 val Mask = d 0xFFFFFFFF val 'Two words' = s 'x' } }");
  ASSERT_FALSE(result.error) << result.error.message;
  const auto& blocks = result.script.blocks;
  ASSERT_EQ(blocks.size(), 2u);

  EXPECT_EQ(blocks[0].root, RegistryRoot::kClassesRoot);
  ASSERT_EQ(blocks[0].keys.size(), 2u);
  const RegistrarKey& progId = blocks[0].keys[0];
  EXPECT_EQ(progId.name, u"App.Name");
  EXPECT_EQ(progId.removal, KeyRemoval::kPlain);
  ASSERT_TRUE(progId.defaultValue);
  EXPECT_EQ(progId.defaultValue->text, u"My App");
  ASSERT_EQ(progId.subkeys.size(), 1u);
  EXPECT_EQ(progId.subkeys[0].name, u"CLSID");
  EXPECT_EQ(progId.subkeys[0].defaultValue->text, u"{1}");

  const RegistrarKey& clsid = blocks[0].keys[1];
  EXPECT_EQ(clsid.removal, KeyRemoval::kNoRemove);
  EXPECT_FALSE(clsid.defaultValue);
  ASSERT_EQ(clsid.subkeys.size(), 1u);
  const RegistrarKey& classKey = clsid.subkeys[0];
  EXPECT_EQ(classKey.name, u"{1}");
  EXPECT_EQ(classKey.removal, KeyRemoval::kForceRemove);
  ASSERT_EQ(classKey.subkeys.size(), 2u);
  EXPECT_EQ(classKey.subkeys[0].defaultValue->text, u"C:\\x.dll");
  ASSERT_EQ(classKey.subkeys[0].values.size(), 1u);
  EXPECT_EQ(classKey.subkeys[0].values[0].name, u"ThreadingModel");
  EXPECT_EQ(classKey.subkeys[0].values[0].text, u"Apartment");
  EXPECT_EQ(classKey.subkeys[1].name, u"Programmable");
  EXPECT_FALSE(classKey.subkeys[1].defaultValue);
  EXPECT_TRUE(classKey.subkeys[1].subkeys.empty());

  EXPECT_EQ(blocks[1].root, RegistryRoot::kLocalMachine);
  const auto& values = blocks[1].keys.at(0).values;
  ASSERT_EQ(values.size(), 3u);
  EXPECT_EQ(values[0].type, RegistrarValue::Type::kDword);
  EXPECT_EQ(values[0].number, 42u);
  EXPECT_EQ(values[1].number, 0xFFFFFFFFu);
  EXPECT_EQ(values[2].name, u"Two words");
  EXPECT_EQ(values[2].type, RegistrarValue::Type::kString);
}

TEST(RegistrarScriptTest, DoubledQuoteInQuotedTextStandsForOneQuote) {
  const auto result = ParseRegistrarScript(u"HKCR { 'O''Brien''s' = s 'C:\\It''s here\\''a.dll' }");
  ASSERT_FALSE(result.error) << result.error.message;
  const RegistrarKey& key = result.script.blocks.at(0).keys.at(0);
  EXPECT_EQ(key.name, u"O'Brien's");
  EXPECT_EQ(key.defaultValue->text, u"C:\\It's here\\'a.dll");
}

TEST(RegistrarScriptTest, KeywordsAndRootsIgnoreCaseButQuotedWordsAreNames) {
  const auto result = ParseRegistrarScript(
      u"hkey_current_user { noremove 'NoRemove' { VAL x = S 'y' 'val' } FORCEREMOVE k = D 7 } hku { }");
  ASSERT_FALSE(result.error) << result.error.message;
  const auto& keys = result.script.blocks.at(0).keys;
  EXPECT_EQ(result.script.blocks[0].root, RegistryRoot::kCurrentUser);
  EXPECT_EQ(result.script.blocks[1].root, RegistryRoot::kUsers);
  ASSERT_EQ(keys.size(), 2u);
  EXPECT_EQ(keys[0].name, u"NoRemove");
  EXPECT_EQ(keys[0].removal, KeyRemoval::kNoRemove);
  EXPECT_EQ(keys[0].values.at(0).text, u"y");
  EXPECT_EQ(keys[0].subkeys.at(0).name, u"val");
  EXPECT_EQ(keys[1].removal, KeyRemoval::kForceRemove);
  EXPECT_EQ(keys[1].defaultValue->number, 7u);
}

TEST(RegistrarScriptTest, EmptyScriptAndEmptyBlockWriteNothing) {
  for (const char16_t* text : {u"", u"  \r\n", u"HKCR\r\n{\r\n}\r\n"}) {
    const auto result = ParseRegistrarScript(text);
    ASSERT_FALSE(result.error) << result.error.message;
    for (const auto& block : result.script.blocks) EXPECT_TRUE(block.keys.empty());
  }
}

struct BadScript {
  const char16_t* text;
  const char* message;
};

class RegistrarScriptErrorTest : public ::testing::TestWithParam<BadScript> {};

TEST_P(RegistrarScriptErrorTest, FailsWithLineAndReason) {
  const auto result = ParseRegistrarScript(GetParam().text);
  EXPECT_EQ(result.error.code, registrar_error::kBadScript);
  EXPECT_EQ(result.error.message, GetParam().message);
  EXPECT_TRUE(result.script.blocks.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Syntax, RegistrarScriptErrorTest,
    ::testing::Values(
        BadScript{u"HKXX { }", "line 1: expected a root key (HKCR, HKLM, HKCU or HKU), found \"HKXX\""},
        BadScript{u"HKCR\r\nKey", "line 2: expected '{' after HKCR, found \"Key\""},
        BadScript{u"HKCR {\r\n\tKey = s 'v'\r\n", "line 3: the block of HKCR has no closing '}'"},
        BadScript{u"HKCR { Key {\n val A = s 'b'\n", "line 3: the block of key \"Key\" has no closing '}'"},
        BadScript{u"HKCR { Key = s 'open\n }", "line 1: quoted text has no closing quote"},
        BadScript{u"HKCR { val A = s 'b' }", "line 1: a value cannot stand directly in the root block HKCR"},
        BadScript{u"HKCR { Key = x 'b' }", "line 1: expected the type s or d, found \"x\""},
        BadScript{u"HKCR { Key = s }", "line 1: expected the value's data, found '}'"},
        BadScript{u"HKCR { Key { val A = d 12a } }", "line 1: \"12a\" is not a 32-bit number"},
        BadScript{u"HKCR { Key { val A = d 4294967296 } }", "line 1: \"4294967296\" is not a 32-bit number"},
        BadScript{u"HKCR { Key { val A s 'b' } }", "line 1: expected '=' after the value name, found \"s\""},
        BadScript{u"HKCR { Key { val = s 'b' } }", "line 1: expected a value name after val, found '='"},
        BadScript{u"HKCR { NoRemove ForceRemove Key }", "line 1: a key takes one keyword, NoRemove or ForceRemove"},
        BadScript{u"HKCR { '' = s 'b' }", "line 1: a key name cannot be empty"},
        BadScript{u"HKCR { = s 'b' }", "line 1: expected a key name, found '='"},
        BadScript{u"HKCR { } }", "line 1: expected a root key (HKCR, HKLM, HKCU or HKU), found '}'"}));

}  // namespace
}  // namespace quillbox
