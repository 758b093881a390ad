#include "server/registrar_executor.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fake_registry.h"

namespace quillbox {
namespace {

using test::FakeRegistry;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr auto kRegister = RegistrarMode::kRegister;
constexpr auto kUnregister = RegistrarMode::kUnregister;
constexpr auto kMachine = RegistrationScope::kMachine;
constexpr auto kPerUser = RegistrationScope::kPerUser;

int32_t RunScript(FakeRegistry& registry, std::u16string_view script, RegistrarMode mode,
                  RegistrationScope scope = kMachine) {
  return RunRegistrarText(script, ReplacementVariables{}, mode, scope, registry);
}

constexpr char16_t kKeywordScript[] =
    u"HKCR {\n"
    u"  NoRemove Kept { Plain = s 'p' { val V = d 1 } }\n"
    u"  ForceRemove Forced = s 'f' { Sub { val A = s 'a' val B = d 2 } }\n"
    u"}";

TEST(RegistrarExecutorTest, RegistrationWritesKeysDefaultsAndNamedValues) {
  FakeRegistry registry;
  ASSERT_EQ(RunScript(registry, kKeywordScript, kRegister), hr::kOk);
  EXPECT_THAT(registry.Entries(RegistryRoot::kClassesRoot),
              ElementsAre("HKCR\\Forced", "HKCR\\Forced\\@ = \"f\"", "HKCR\\Forced\\Sub",
                          "HKCR\\Forced\\Sub\\[A] = \"a\"", "HKCR\\Forced\\Sub\\[B] = dword:2", "HKCR\\Kept",
                          "HKCR\\Kept\\Plain", "HKCR\\Kept\\Plain\\@ = \"p\"", "HKCR\\Kept\\Plain\\[V] = dword:1"));
}

TEST(RegistrarExecutorTest, ForceRemoveRebuildsTheKeyButPlainKeysKeepForeignEntries) {
  FakeRegistry registry;
  registry.CreateKey(RegistryRoot::kClassesRoot, u"Forced\\Stale");
  registry.SetString(RegistryRoot::kClassesRoot, u"Forced", u"Old", u"x");
  registry.CreateKey(RegistryRoot::kClassesRoot, u"Kept\\Plain\\Foreign");
  ASSERT_EQ(RunScript(registry, kKeywordScript, kRegister), hr::kOk);
  EXPECT_FALSE(registry.HasKey(RegistryRoot::kClassesRoot, u"Forced\\Stale"));
  EXPECT_THAT(registry.Entries(RegistryRoot::kClassesRoot), ::testing::Not(::testing::Contains("HKCR\\Forced\\[Old] = \"x\"")));
  EXPECT_TRUE(registry.HasKey(RegistryRoot::kClassesRoot, u"Kept\\Plain\\Foreign"));
}

TEST(RegistrarExecutorTest, UnregistrationRemovesAllButNoRemoveKeys) {
  FakeRegistry registry;
  ASSERT_EQ(RunScript(registry, kKeywordScript, kRegister), hr::kOk);
  ASSERT_EQ(RunScript(registry, kKeywordScript, kUnregister), hr::kOk);
  EXPECT_THAT(registry.Entries(RegistryRoot::kClassesRoot), ElementsAre("HKCR\\Kept"));
}

TEST(RegistrarExecutorTest, UnregistrationKeepsKeysThatStillHaveSubkeysButDeletesTheNamedValues) {
  FakeRegistry registry;
  ASSERT_EQ(RunScript(registry, kKeywordScript, kRegister), hr::kOk);
  registry.CreateKey(RegistryRoot::kClassesRoot, u"Forced\\Sub\\Foreign");
  registry.SetString(RegistryRoot::kClassesRoot, u"Forced\\Sub", u"Other", u"o");
  ASSERT_EQ(RunScript(registry, kKeywordScript, kUnregister), hr::kOk);
  // ForceRemove is a plain key at unregistration: it stays while it has a subkey.
  EXPECT_THAT(registry.Entries(RegistryRoot::kClassesRoot),
              ElementsAre("HKCR\\Forced", "HKCR\\Forced\\@ = \"f\"", "HKCR\\Forced\\Sub",
                          "HKCR\\Forced\\Sub\\Foreign", "HKCR\\Forced\\Sub\\[Other] = \"o\"", "HKCR\\Kept"));
}

TEST(RegistrarExecutorTest, UnregistrationDeletesAKeyThatHasOnlyValuesLeft) {
  FakeRegistry registry;
  ASSERT_EQ(RunScript(registry, kKeywordScript, kRegister), hr::kOk);
  registry.SetString(RegistryRoot::kClassesRoot, u"Forced\\Sub", u"Other", u"o");
  ASSERT_EQ(RunScript(registry, kKeywordScript, kUnregister), hr::kOk);
  EXPECT_THAT(registry.Entries(RegistryRoot::kClassesRoot), ElementsAre("HKCR\\Kept"));
}

TEST(RegistrarExecutorTest, UnregistrationToleratesEntriesAlreadyGone) {
  FakeRegistry registry;
  EXPECT_EQ(RunScript(registry, kKeywordScript, kUnregister), hr::kOk);
  EXPECT_THAT(registry.AllEntries(), IsEmpty());

  ASSERT_EQ(RunScript(registry, kKeywordScript, kRegister), hr::kOk);
  registry.DeleteValue(RegistryRoot::kClassesRoot, u"Forced\\Sub", u"A");
  registry.DeleteTree(RegistryRoot::kClassesRoot, u"Kept\\Plain");
  EXPECT_EQ(RunScript(registry, kKeywordScript, kUnregister), hr::kOk);
  EXPECT_THAT(registry.Entries(RegistryRoot::kClassesRoot), ElementsAre("HKCR\\Kept"));
}

TEST(RegistrarExecutorTest, UnregistrationSkipsKeysThatCannotBeOpened) {
  FakeRegistry registry;
  ASSERT_EQ(RunScript(registry, kKeywordScript, kRegister), hr::kOk);
  registry.FailOn(FakeRegistry::Op::kOpenKey, RegistryRoot::kClassesRoot, u"Forced", registry_error::kAccessDenied);
  ASSERT_EQ(RunScript(registry, kKeywordScript, kUnregister), hr::kOk);
  EXPECT_TRUE(registry.HasKey(RegistryRoot::kClassesRoot, u"Forced\\Sub"));
  EXPECT_FALSE(registry.HasKey(RegistryRoot::kClassesRoot, u"Kept\\Plain"));
}

TEST(RegistrarExecutorTest, KeyNamesMatchExistingKeysRegardlessOfCase) {
  FakeRegistry registry;
  registry.CreateKey(RegistryRoot::kClassesRoot, u"KEPT\\plain");
  ASSERT_EQ(RunScript(registry, kKeywordScript, kRegister), hr::kOk);
  ASSERT_EQ(RunScript(registry, kKeywordScript, kUnregister), hr::kOk);
  EXPECT_THAT(registry.Entries(RegistryRoot::kClassesRoot), ElementsAre("HKCR\\KEPT"));
}

struct FailurePoint {
  FakeRegistry::Op op;
  const char16_t* path;
  RegistrarMode mode;
  const char* lastCall;  // the failing call, after which nothing else is done
};

class RegistrarExecutorFailureTest : public ::testing::TestWithParam<FailurePoint> {};

TEST_P(RegistrarExecutorFailureTest, FirstFailureEndsTheRunAndIsReturned) {
  constexpr int32_t kFailure = static_cast<int32_t>(0x80070015u);
  FakeRegistry registry;
  if (GetParam().mode == kUnregister) ASSERT_EQ(RunScript(registry, kKeywordScript, kRegister), hr::kOk);
  const size_t callsBefore = registry.Calls().size();
  registry.FailOn(GetParam().op, RegistryRoot::kClassesRoot, GetParam().path, kFailure);
  EXPECT_EQ(RunScript(registry, kKeywordScript, GetParam().mode), kFailure);
  ASSERT_GT(registry.Calls().size(), callsBefore);
  EXPECT_EQ(registry.Calls().back(), GetParam().lastCall);
}

INSTANTIATE_TEST_SUITE_P(
    Operations, RegistrarExecutorFailureTest,
    ::testing::Values(
        FailurePoint{FakeRegistry::Op::kCreateKey, u"Kept\\Plain", kRegister, "CreateKey HKCR\\Kept\\Plain"},
        FailurePoint{FakeRegistry::Op::kSetDword, u"Kept\\Plain", kRegister, "SetDword HKCR\\Kept\\Plain\\[V]"},
        FailurePoint{FakeRegistry::Op::kSetString, u"Forced", kRegister, "SetString HKCR\\Forced"},
        FailurePoint{FakeRegistry::Op::kDeleteTree, u"Forced", kRegister, "DeleteTree HKCR\\Forced"},
        FailurePoint{FakeRegistry::Op::kDeleteValue, u"Forced\\Sub", kUnregister,
                     "DeleteValue HKCR\\Forced\\Sub\\[A]"},
        FailurePoint{FakeRegistry::Op::kDeleteKeyIfNoSubkeys, u"Kept\\Plain", kUnregister,
                     "DeleteKeyIfNoSubkeys HKCR\\Kept\\Plain"}));

TEST(RegistrarExecutorTest, ForceRemoveOfAMissingKeyIsNotAFailure) {
  FakeRegistry registry;
  ASSERT_EQ(RunScript(registry, u"HKCR { ForceRemove New = s 'n' }", kRegister), hr::kOk);
  EXPECT_THAT(registry.Calls(), ElementsAre("DeleteTree HKCR\\New", "CreateKey HKCR\\New", "SetString HKCR\\New"));
}

TEST(RegistrarExecutorTest, BadScriptWritesNothingAndSaysWhy) {
  FakeRegistry registry;
  RegistrarError error;
  EXPECT_EQ(RunRegistrarText(u"HKCR { Good = s 'g' } HKLM { Bad = s }", ReplacementVariables{}, kRegister, kMachine,
                             registry, &error),
            registrar_error::kBadScript);
  EXPECT_EQ(error.message, "line 1: expected the value's data, found '}'");
  EXPECT_THAT(registry.Calls(), IsEmpty());

  EXPECT_EQ(RunRegistrarText(u"HKCR { %MISSING% }", ReplacementVariables{}, kRegister, kMachine, registry, &error),
            registrar_error::kBadScript);
  EXPECT_EQ(error.message, "line 1: unknown variable %MISSING%");
  EXPECT_THAT(registry.Calls(), IsEmpty());
}

TEST(RegistrarExecutorTest, PerUserPlacesClassesUnderSoftwareClassesAndMachineKeysUnderTheUser) {
  struct Case {
    RegistryRoot scriptRoot;
    RegistrationScope scope;
    RegistryRoot root;
    const char16_t* prefix;
  };
  const Case cases[] = {
      {RegistryRoot::kClassesRoot, kMachine, RegistryRoot::kClassesRoot, u""},
      {RegistryRoot::kLocalMachine, kMachine, RegistryRoot::kLocalMachine, u""},
      {RegistryRoot::kCurrentUser, kMachine, RegistryRoot::kCurrentUser, u""},
      {RegistryRoot::kUsers, kMachine, RegistryRoot::kUsers, u""},
      {RegistryRoot::kClassesRoot, kPerUser, RegistryRoot::kCurrentUser, u"Software\\Classes"},
      {RegistryRoot::kLocalMachine, kPerUser, RegistryRoot::kCurrentUser, u""},
      {RegistryRoot::kCurrentUser, kPerUser, RegistryRoot::kCurrentUser, u""},
      {RegistryRoot::kUsers, kPerUser, RegistryRoot::kUsers, u""},
  };
  for (const Case& c : cases) {
    const RootPlacement place = PlaceRootBlock(c.scriptRoot, c.scope);
    EXPECT_EQ(place.root, c.root);
    EXPECT_EQ(place.prefix, c.prefix);
  }
}

TEST(RegistrarExecutorTest, PerUserNeverDeletesTheUsersSoftwareClassesKey) {
  FakeRegistry registry;
  ASSERT_EQ(RunScript(registry, u"HKCR { App = s 'a' }", kRegister, kPerUser), hr::kOk);
  EXPECT_THAT(registry.AllEntries(), ElementsAre("HKCU\\Software", "HKCU\\Software\\Classes",
                                                 "HKCU\\Software\\Classes\\App",
                                                 "HKCU\\Software\\Classes\\App\\@ = \"a\""));
  ASSERT_EQ(RunScript(registry, u"HKCR { App = s 'a' }", kUnregister, kPerUser), hr::kOk);
  EXPECT_THAT(registry.AllEntries(), ElementsAre("HKCU\\Software", "HKCU\\Software\\Classes"));
}

TEST(RegistrarExecutorTest, PerUserUnregistrationWithoutSoftwareClassesDoesNothing) {
  FakeRegistry registry;
  EXPECT_EQ(RunScript(registry, u"HKCR { App = s 'a' }", kUnregister, kPerUser), hr::kOk);
  EXPECT_THAT(registry.Calls(), ElementsAre("OpenKey HKCU\\Software\\Classes"));
}

}  // namespace
}  // namespace quillbox
