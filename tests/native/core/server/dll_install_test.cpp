#include "server/dll_install.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "common/com_error.h"

namespace quillbox {
namespace {

using ::testing::ElementsAre;

TEST(DllInstallTest, OnlyUserInAnyLetterCaseOverFiveCodeUnitsChoosesPerUser) {
  const char16_t embedded[] = {u'U', u's', u'e', u'r', u'\0', u'x', u'\0'};
  const struct {
    const char16_t* commandLine;
    bool perUser;
  } cases[] = {{u"user", true},  {u"USER", true},  {u"uSeR", true},   {embedded, true}, {u"users", false},
               {u"use", false},  {u"", false},     {nullptr, false},  {u" user", false},
               {u"u\u017Fer", false}};  // LATIN SMALL LETTER LONG S is no A-Z letter
  for (const auto& c : cases) EXPECT_EQ(IsPerUserCommandLine(c.commandLine), c.perUser) << (&c - cases);
}

class RecordingRegistrar : public ServerRegistrar {
 public:
  int32_t Register(RegistrationScope scope) override { return Record("register", scope, registerResult); }
  int32_t Unregister(RegistrationScope scope) override { return Record("unregister", scope, unregisterResult); }
  int32_t registerResult = hr::kOk;
  int32_t unregisterResult = hr::kOk;
  std::vector<std::string> calls;

 private:
  int32_t Record(const std::string& what, RegistrationScope scope, int32_t result) {
    calls.push_back(what + (scope == RegistrationScope::kPerUser ? " per user" : " machine"));
    return result;
  }
};

TEST(DllInstallTest, UserSwitchesToPerUserForTheRestOfTheLoad) {
  RecordingRegistrar registrar;
  auto scope = RegistrationScope::kMachine;
  EXPECT_EQ(RunDllInstall(true, nullptr, scope, registrar), hr::kOk);
  EXPECT_EQ(RunDllInstall(true, u"users", scope, registrar), hr::kOk);
  EXPECT_EQ(RunDllInstall(true, u"User", scope, registrar), hr::kOk);
  EXPECT_EQ(RunDllInstall(true, nullptr, scope, registrar), hr::kOk);
  EXPECT_EQ(scope, RegistrationScope::kPerUser);
  EXPECT_THAT(registrar.calls,
              ElementsAre("register machine", "register machine", "register per user", "register per user"));
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

}  // namespace
}  // namespace quillbox
