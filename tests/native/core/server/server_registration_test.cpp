#include "server/server_registration.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>

#include "common/com_error.h"
#include "server/type_library_path.h"
#include "tests/support/fake_registry.h"

namespace quillbox {
namespace {

using testing::FakeRegistry;
using ::testing::ElementsAre;

constexpr int32_t kNoScript = static_cast<int32_t>(0x80070716u);          // ERROR_RESOURCE_NAME_NOT_FOUND
constexpr int32_t kTypeLibraryFailure = static_cast<int32_t>(0x80029C4Au);  // TYPE_E_CANTLOADLIBRARY

// Each script writes one key, so the order of the scripts shows in the registry.
class FakePlatform : public RegistrationPlatform {
 public:
  int32_t LoadScript(int resourceId, std::u16string& text) override {
    log.push_back("script " + std::to_string(resourceId));
    if (!scripts.count(resourceId)) return kNoScript;
    text = scripts[resourceId];
    return hr::kOk;
  }
  int32_t RegisterTypeLibrary(RegistrationScope) override { return TypeLibrary("register type library"); }
  int32_t UnregisterTypeLibrary(RegistrationScope) override { return TypeLibrary("unregister type library"); }

  std::map<int, std::u16string> scripts = {{101, u"HKCR { App101 }"}, {202, u"HKCR { App202 = s '%X%' }"}};
  int32_t typeLibraryResult = hr::kOk;
  std::vector<std::string> log;

 private:
  int32_t TypeLibrary(const std::string& what) {
    log.push_back(what);
    return typeLibraryResult;
  }
};

ReplacementVariables Variables() {
  ReplacementVariables variables;
  variables.Set(u"X", u"x");
  return variables;
}

TEST(ServerRegistrationTest, RegistersTheScriptsThenTheTypeLibraryAndUnregistersInReverse) {
  FakePlatform platform;
  FakeRegistry registry;
  EXPECT_EQ(RegisterServerEntries(platform, registry, Variables(), RegistrationScope::kPerUser), hr::kOk);
  EXPECT_THAT(registry.Entries(), ElementsAre("HKCU\\Software", "HKCU\\Software\\Classes", "HKCU\\Software\\Classes\\App101",
                                              "HKCU\\Software\\Classes\\App202", "HKCU\\Software\\Classes\\App202\\@ = \"x\""));
  EXPECT_EQ(UnregisterServerEntries(platform, registry, Variables(), RegistrationScope::kPerUser), hr::kOk);
  EXPECT_THAT(registry.Entries(), ElementsAre("HKCU\\Software", "HKCU\\Software\\Classes"));
  EXPECT_THAT(platform.log, ElementsAre("script 101", "script 202", "register type library", "script 202",
                                        "unregister type library", "script 101"));
}

TEST(ServerRegistrationTest, FirstFailingStepEndsTheRunAndEarlierWritesStay) {
  const struct {
    int missingScript;
    std::u16string script101;
    int32_t typeLibraryResult;
    int32_t expected;
    std::vector<std::string> registerLog, unregisterLog;
  } cases[] = {
      {0, u"HKCR { App101 }", kTypeLibraryFailure, kTypeLibraryFailure,
       {"script 101", "script 202", "register type library"}, {"script 202", "unregister type library"}},
      {202, u"HKCR { App101 }", hr::kOk, kNoScript, {"script 101", "script 202"}, {"script 202"}},
      {0, u"HKCR { App101 = }", hr::kOk, registrar_error::kBadScript, {"script 101"},
       {"script 202", "unregister type library", "script 101"}},
  };
  for (const auto& c : cases) {
    FakePlatform platform;
    platform.scripts.erase(c.missingScript);
    platform.scripts[101] = c.script101;
    platform.typeLibraryResult = c.typeLibraryResult;
    FakeRegistry registry;
    EXPECT_EQ(RegisterServerEntries(platform, registry, Variables(), RegistrationScope::kMachine), c.expected);
    EXPECT_EQ(platform.log, c.registerLog);
    EXPECT_EQ(registry.HasKey(RegistryRoot::kClassesRoot, u"App202"), c.registerLog.size() == 3);
    platform.log.clear();
    EXPECT_EQ(UnregisterServerEntries(platform, registry, Variables(), RegistrationScope::kMachine), c.expected);
    EXPECT_EQ(platform.log, c.unregisterLog);
  }
}

TEST(TypeLibraryPathTest, ReplacesTheLastElementsExtensionWithTlb) {
  const struct {
    const char16_t* library;
    const char16_t* typeLibrary;
  } cases[] = {{u"C:\\Quillbox\\QuillboxAddIn.dll", u"C:\\Quillbox\\QuillboxAddIn.tlb"},
               {u"C:\\a.b\\QuillboxAddIn", u"C:\\a.b\\QuillboxAddIn.tlb"},
               {u"C:\\x\\lib.v1.dll", u"C:\\x\\lib.v1.tlb"},
               {u"/unix/style.dir/file", u"/unix/style.dir/file.tlb"},
               {u"plain.dll", u"plain.tlb"}};
  for (const auto& c : cases) EXPECT_EQ(TypeLibraryFallbackPath(c.library), c.typeLibrary);
}

}  // namespace
}  // namespace quillbox
