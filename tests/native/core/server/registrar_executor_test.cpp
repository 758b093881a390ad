// The executor's rules on small scripts; the class script's own entries are in
// class_script_test.cpp.

#include "server/registrar_executor.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/support/fake_registry.h"

namespace quillbox {
namespace {

using testing::FakeRegistry;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr auto kRegister = RegistrarMode::kRegister;
constexpr auto kUnregister = RegistrarMode::kUnregister;
constexpr auto kHkcr = RegistryRoot::kClassesRoot;

constexpr char16_t kScript[] =
    u"HKCR {\n"
    u"  NoRemove Kept { Plain = s 'p' { val V = d 1 } }\n"
    u"  ForceRemove Forced = s 'f' { Sub { val A = s 'a' val B = d 2 } }\n"
    u"}";

int32_t RunScript(FakeRegistry& registry, std::u16string_view script, RegistrarMode mode,
                  RegistrationScope scope = RegistrationScope::kMachine) {
  return RunRegistrarText(script, ReplacementVariables{}, mode, scope, registry);
}

TEST(RegistrarExecutorTest, UnregistrationDeletesKeysLeftWithValuesOnlyAndSkipsKeysThatCannotBeOpened) {
  FakeRegistry registry;
  ASSERT_EQ(RunScript(registry, kScript, kRegister), hr::kOk);
  registry.SetString(kHkcr, u"Kept\\Plain", u"Foreign", u"value");  // values do not keep a key
  registry.FailOn("OpenKey", kHkcr, u"Forced", registry_error::kAccessDenied);
  ASSERT_EQ(RunScript(registry, kScript, kUnregister), hr::kOk);
  EXPECT_THAT(registry.Entries(), ElementsAre("HKCR\\Forced", "HKCR\\Forced\\@ = \"f\"", "HKCR\\Forced\\Sub",
                                              "HKCR\\Forced\\Sub\\[A] = \"a\"", "HKCR\\Forced\\Sub\\[B] = dword:2",
                                              "HKCR\\Kept"));
}

struct FailurePoint {
  const char* op;
  const char16_t* path;
  RegistrarMode mode;
  const char* lastCall;  // the failing call: nothing is done after it
};

class RegistrarExecutorFailureTest : public ::testing::TestWithParam<FailurePoint> {};

TEST_P(RegistrarExecutorFailureTest, FirstFailureEndsTheRunAndIsReturned) {
  constexpr int32_t kFailure = static_cast<int32_t>(0x80070015u);
  FakeRegistry registry;
  if (GetParam().mode == kUnregister) ASSERT_EQ(RunScript(registry, kScript, kRegister), hr::kOk);
  registry.FailOn(GetParam().op, kHkcr, GetParam().path, kFailure);
  EXPECT_EQ(RunScript(registry, kScript, GetParam().mode), kFailure);
  EXPECT_EQ(registry.Calls().back(), GetParam().lastCall);
}

INSTANTIATE_TEST_SUITE_P(
    Operations, RegistrarExecutorFailureTest,
    ::testing::Values(FailurePoint{"CreateKey", u"Kept\\Plain", kRegister, "CreateKey HKCR\\Kept\\Plain"},
                      FailurePoint{"SetDword", u"Kept\\Plain", kRegister, "SetDword HKCR\\Kept\\Plain\\[V]"},
                      FailurePoint{"SetString", u"Forced", kRegister, "SetString HKCR\\Forced"},
                      FailurePoint{"DeleteTree", u"Forced", kRegister, "DeleteTree HKCR\\Forced"},
                      FailurePoint{"DeleteValue", u"Forced\\Sub", kUnregister, "DeleteValue HKCR\\Forced\\Sub\\[A]"},
                      FailurePoint{"DeleteKeyIfNoSubkeys", u"Kept\\Plain", kUnregister,
                                   "DeleteKeyIfNoSubkeys HKCR\\Kept\\Plain"}));

TEST(RegistrarExecutorTest, ForceRemoveOfAMissingKeyIsNotAFailure) {
  FakeRegistry registry;
  ASSERT_EQ(RunScript(registry, u"HKCR { ForceRemove New = s 'n' }", kRegister), hr::kOk);
  EXPECT_THAT(registry.Calls(), ElementsAre("DeleteTree HKCR\\New", "CreateKey HKCR\\New", "SetString HKCR\\New"));
}

TEST(RegistrarExecutorTest, BadScriptWritesNothingAndSaysWhy) {
  const struct {
    const char16_t* script;
    const char* message;
  } cases[] = {{u"HKCR { Good = s 'g' } HKLM { Bad = s }", "line 1: expected the value's data, found '}'"},
               {u"HKCR { Good = s 'g' }\n HKCR { %MISSING% }", "line 2: unknown variable %MISSING%"}};
  for (const auto& c : cases) {
    FakeRegistry registry;
    RegistrarError error;
    EXPECT_EQ(RunRegistrarText(c.script, ReplacementVariables{}, kRegister, RegistrationScope::kMachine, registry,
                               &error),
              registrar_error::kBadScript);
    EXPECT_EQ(error.message, c.message);
    EXPECT_THAT(registry.Calls(), IsEmpty());
  }
}

TEST(RegistrarExecutorTest, PerUserNeverDeletesTheUsersSoftwareClassesKey) {
  FakeRegistry registry;
  EXPECT_EQ(RunScript(registry, u"HKCR { App }", kUnregister, RegistrationScope::kPerUser), hr::kOk);
  EXPECT_THAT(registry.Calls(), ElementsAre("OpenKey HKCU\\Software\\Classes"));  // not there: nothing to do

  ASSERT_EQ(RunScript(registry, u"HKCR { App }", kRegister, RegistrationScope::kPerUser), hr::kOk);
  ASSERT_EQ(RunScript(registry, u"HKCR { App }", kUnregister, RegistrationScope::kPerUser), hr::kOk);
  EXPECT_THAT(registry.Entries(), ElementsAre("HKCU\\Software", "HKCU\\Software\\Classes"));
}

}  // namespace
}  // namespace quillbox
