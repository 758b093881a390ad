#include "server/registrar_variables.h"

#include <gtest/gtest.h>

#include "server/server_script_variables.h"

namespace quillbox {
namespace {

TEST(RegistrarVariablesTest, ReplacesNamesRegardlessOfCaseOnceAndDoublePercentAsPercent) {
  ReplacementVariables variables;
  variables.Set(u"PROGID", u"App.Name");
  variables.Set(u"Module", u"C:\\%PROGID%\\a.dll");
  variables.Set(u"progid", u"Other");  // same variable, new value
  ASSERT_EQ(variables.Entries().size(), 2u);
  const auto expanded = ExpandVariables(u"%PROGID%.%progid% = s '%MODULE%' 100%%", variables);
  ASSERT_FALSE(expanded.error) << expanded.error.message;
  EXPECT_EQ(expanded.text, u"Other.Other = s 'C:\\%PROGID%\\a.dll' 100%");
}

TEST(RegistrarVariablesTest, UnknownOrUnclosedVariableFailsWithItsLine) {
  ReplacementVariables variables;
  variables.Set(u"PROGID", u"App.Name");
  const auto unknown = ExpandVariables(u"HKCR\r\n{\r\n\t%CLSID%\r\n}", variables);
  EXPECT_EQ(unknown.error.code, registrar_error::kBadScript);
  EXPECT_EQ(unknown.error.message, "line 3: unknown variable %CLSID%");
  const auto unclosed = ExpandVariables(u"HKCR\n{ %PROGID% = s '50%' }", variables);
  EXPECT_EQ(unclosed.error.code, registrar_error::kBadScript);
  EXPECT_EQ(unclosed.error.message, "line 2: '%' without a closing '%'");
}

TEST(ServerScriptVariablesTest, OffersTheIdentitiesInOrderWithQuotesInTheModulePathDoubled) {
  const auto variables = ServerScriptVariables({u"{C}", u"{L}", u"{A}"}, u"C:\\Teacher's ''Tools''\\Q.dll");
  const std::vector<std::pair<std::u16string, std::u16string>> expected = {
      {u"PROGID", u"Quillbox.AddIn"}, {u"VERSION", u"1"},       {u"DESCRIPTION", u"Quillbox AddIn"},
      {u"DESCRIPTION2", u"Quillbox AddIn"}, {u"CLSID", u"{C}"}, {u"LIBID", u"{L}"},
      {u"THREADING", u"Apartment"},   {u"APPID", u"{A}"},
      {u"Module", u"C:\\Teacher''s ''''Tools''''\\Q.dll"}, {u"Module_Raw", u"C:\\Teacher''s ''''Tools''''\\Q.dll"}};
  EXPECT_EQ(variables.Entries(), expected);
}

}  // namespace
}  // namespace quillbox
