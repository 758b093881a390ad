#include "server/registrar_variables.h"

#include <gtest/gtest.h>

#include "server/server_script_variables.h"

namespace quillbox {
namespace {

ReplacementVariables SampleVariables() {
  ReplacementVariables variables;
  variables.Set(u"PROGID", u"App.Name");
  variables.Set(u"Module", u"C:\\It''s\\a.dll");
  return variables;
}

TEST(RegistrarVariablesTest, ReplacesNamesRegardlessOfCase) {
  const auto expanded = ExpandVariables(u"%PROGID%.%progid% = s '%MODULE%' %module% %Module%", SampleVariables());
  ASSERT_FALSE(expanded.error) << expanded.error.message;
  EXPECT_EQ(expanded.text, u"App.Name.App.Name = s 'C:\\It''s\\a.dll' C:\\It''s\\a.dll C:\\It''s\\a.dll");
}

TEST(RegistrarVariablesTest, DoublePercentIsOnePercentAndValuesAreNotExpandedAgain) {
  ReplacementVariables variables;
  variables.Set(u"A", u"%B%");
  variables.Set(u"B", u"no");
  const auto expanded = ExpandVariables(u"100%% %A%%%", variables);
  ASSERT_FALSE(expanded.error) << expanded.error.message;
  EXPECT_EQ(expanded.text, u"100% %B%%");
}

TEST(RegistrarVariablesTest, UnknownOrUnclosedVariableFailsWithItsLine) {
  const auto unknown = ExpandVariables(u"HKCR\r\n{\r\n\t%CLSID%\r\n}", SampleVariables());
  EXPECT_EQ(unknown.error.code, registrar_error::kBadScript);
  EXPECT_EQ(unknown.error.message, "line 3: unknown variable %CLSID%");
  EXPECT_TRUE(unknown.text.empty());

  const auto unclosed = ExpandVariables(u"HKCR\n{ %PROGID% = s '50%' }", SampleVariables());
  EXPECT_EQ(unclosed.error.code, registrar_error::kBadScript);
  EXPECT_EQ(unclosed.error.message, "line 2: '%' without a closing '%'");
}

TEST(RegistrarVariablesTest, SetReplacesAVariableOfTheSameNameInAnyCase) {
  ReplacementVariables variables = SampleVariables();
  variables.Set(u"progid", u"Other");
  ASSERT_EQ(variables.Entries().size(), 2u);
  EXPECT_EQ(variables.Entries()[0].first, u"PROGID");
  EXPECT_EQ(*variables.Find(u"ProgId"), u"Other");
  EXPECT_EQ(variables.Find(u"PROGID2"), nullptr);
}

TEST(RegistrarVariablesTest, DoublesEverySingleQuote) {
  EXPECT_EQ(DoubleSingleQuotes(u""), u"");
  EXPECT_EQ(DoubleSingleQuotes(u"plain"), u"plain");
  EXPECT_EQ(DoubleSingleQuotes(u"'a''b'"), u"''a''''b''");
}

TEST(ServerScriptVariablesTest, OffersTheServerIdentitiesInOrder) {
  const ServerGuidTexts guids{u"{C}", u"{L}", u"{A}"};
  const auto variables = ServerScriptVariables(guids, u"C:\\Teacher's Tools\\QuillboxAddIn.dll");
  const std::vector<std::pair<std::u16string, std::u16string>> expected = {
      {u"PROGID", u"Quillbox.AddIn"},
      {u"VERSION", u"1"},
      {u"DESCRIPTION", u"Quillbox AddIn"},
      {u"DESCRIPTION2", u"Quillbox AddIn"},
      {u"CLSID", u"{C}"},
      {u"LIBID", u"{L}"},
      {u"THREADING", u"Apartment"},
      {u"APPID", u"{A}"},
      {u"Module", u"C:\\Teacher''s Tools\\QuillboxAddIn.dll"},
      {u"Module_Raw", u"C:\\Teacher''s Tools\\QuillboxAddIn.dll"},
  };
  EXPECT_EQ(variables.Entries(), expected);
}

}  // namespace
}  // namespace quillbox
