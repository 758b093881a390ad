#include "server/dll_install.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "common/com_error.h"

namespace quillbox {
namespace {

using ::testing::ElementsAre;

TEST(DllInstallTest, OnlyUserInAnyLetterCaseChoosesPerUser) {
  const struct {
    const char16_t* commandLine;
    bool perUser;
  } cases[] = {
      {u"user", true},   {u"USER", true},   {u"uSeR", true},    {u"users", false}, {u"use", false},
      {u"", false},      {nullptr, false},  {u"user ", false},  {u" user", false}, {u"usr", false},
      {u"u\u017Fer", false},  // LATIN SMALL LETTER LONG S is no A-Z letter
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsPerUserCommandLine(c.commandLine), c.perUser)
        << (c.commandLine ? std::string(c.commandLine, c.commandLine + std::char_traits<char16_t>::length(c.commandLine))
                          : std::string("(null)"));
  }
}

TEST(DllInstallTest, ComparesFiveCodeUnitsOnly) {
  const char16_t embedded[] = {u'U', u's', u'e', u'r', u'\0', u'x', u'\0'};
  EXPECT_TRUE(IsPerUserCommandLine(embedded));
}

class RecordingRegistrar : public ServerRegistrar {
 public:
  int32_t Register(RegistrationScope scope) override {
    calls.push_back(scope == RegistrationScope::kPerUser ? "register per user" : "register machine");
    return registerResult;
  }
  int32_t Unregister(RegistrationScope scope) override {
    calls.push_back(scope == RegistrationScope::kPerUser ? "unregister per user" : "unregister machine");
    return unregisterResult;
  }
  int32_t registerResult = hr::kOk;
  int32_t unregisterResult = hr::kOk;
  std::vector<std::string> calls;
};

TEST(DllInstallTest, InstallRegistersInTheChosenScope) {
  RecordingRegistrar registrar;
  auto scope = RegistrationScope::kMachine;
  EXPECT_EQ(RunDllInstall(true, nullptr, scope, registrar), hr::kOk);
  EXPECT_EQ(RunDllInstall(true, u"users", scope, registrar), hr::kOk);
  EXPECT_EQ(scope, RegistrationScope::kMachine);
  EXPECT_EQ(RunDllInstall(true, u"User", scope, registrar), hr::kOk);
  EXPECT_EQ(scope, RegistrationScope::kPerUser);
  EXPECT_THAT(registrar.calls, ElementsAre("register machine", "register machine", "register per user"));
}

TEST(DllInstallTest, PerUserStaysOnForLaterCallsWhateverTheirCommandLine) {
  RecordingRegistrar registrar;
  auto scope = RegistrationScope::kMachine;
  RunDllInstall(true, u"user", scope, registrar);
  RunDllInstall(true, nullptr, scope, registrar);
  RunDllInstall(false, u"machine", scope, registrar);
  EXPECT_THAT(registrar.calls, ElementsAre("register per user", "register per user", "unregister per user"));
}

TEST(DllInstallTest, NoInstallFlagUnregistersAndReturnsItsResult) {
  RecordingRegistrar registrar;
  registrar.unregisterResult = static_cast<int32_t>(0x80070005u);
  auto scope = RegistrationScope::kMachine;
  EXPECT_EQ(RunDllInstall(false, u"user", scope, registrar), registrar.unregisterResult);
  EXPECT_THAT(registrar.calls, ElementsAre("unregister per user"));
}

TEST(DllInstallTest, FailedRegistrationIsUndoneAndItsFailureReturned) {
  RecordingRegistrar registrar;
  registrar.registerResult = static_cast<int32_t>(0x80029C4Au);  // TYPE_E_CANTLOADLIBRARY
  registrar.unregisterResult = hr::kFail;                      // ignored
  auto scope = RegistrationScope::kMachine;
  EXPECT_EQ(RunDllInstall(true, nullptr, scope, registrar), registrar.registerResult);
  EXPECT_THAT(registrar.calls, ElementsAre("register machine", "unregister machine"));
}

TEST(DllInstallTest, SuccessfulRegistrationPassesOnItsResult) {
  RecordingRegistrar registrar;
  registrar.registerResult = hr::kFalse;
  auto scope = RegistrationScope::kMachine;
  EXPECT_EQ(RunDllInstall(true, nullptr, scope, registrar), hr::kFalse);
  EXPECT_THAT(registrar.calls, ElementsAre("register machine"));
}

}  // namespace
}  // namespace quillbox
