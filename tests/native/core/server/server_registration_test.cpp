#include "server/server_registration.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>

#include "common/com_error.h"
#include "fake_registry.h"
#include "server/type_library_path.h"

namespace quillbox {
namespace {

using test::FakeRegistry;
using ::testing::ElementsAre;

// Scripts by resource number; each writes one key so that the order shows in the registry calls.
class FakePlatform : public RegistrationPlatform {
 public:
  int32_t LoadScript(int resourceId, std::u16string& text) override {
    log.push_back("load " + std::to_string(resourceId));
    if (resourceId == failingScript) return static_cast<int32_t>(0x80070716u);  // ERROR_RESOURCE_NAME_NOT_FOUND
    text = scripts.at(resourceId);
    return hr::kOk;
  }
  int32_t RegisterTypeLibrary(RegistrationScope scope) override {
    log.push_back(scope == RegistrationScope::kPerUser ? "register type library per user" : "register type library");
    return typeLibraryResult;
  }
  int32_t UnregisterTypeLibrary(RegistrationScope scope) override {
    log.push_back(scope == RegistrationScope::kPerUser ? "unregister type library per user"
                                                       : "unregister type library");
    return typeLibraryResult;
  }

  std::map<int, std::u16string> scripts = {{101, u"HKCR { App101 }"}, {202, u"HKCR { App202 = s '%X%' }"}};
  int failingScript = 0;
  int32_t typeLibraryResult = hr::kOk;
  std::vector<std::string> log;
};

ReplacementVariables Variables() {
  ReplacementVariables variables;
  variables.Set(u"X", u"x");
  return variables;
}

TEST(ServerRegistrationTest, RegistersScript101ThenScript202ThenTheTypeLibrary) {
  FakePlatform platform;
  FakeRegistry registry;
  EXPECT_EQ(RegisterServerEntries(platform, registry, Variables(), RegistrationScope::kPerUser), hr::kOk);
  EXPECT_THAT(platform.log, ElementsAre("load 101", "load 202", "register type library per user"));
  EXPECT_THAT(registry.Entries(RegistryRoot::kCurrentUser),
              ElementsAre("HKCU\\Software", "HKCU\\Software\\Classes", "HKCU\\Software\\Classes\\App101",
                          "HKCU\\Software\\Classes\\App202", "HKCU\\Software\\Classes\\App202\\@ = \"x\""));
}

TEST(ServerRegistrationTest, UnregistersScript202ThenTheTypeLibraryThenScript101) {
  FakePlatform platform;
  FakeRegistry registry;
  ASSERT_EQ(RegisterServerEntries(platform, registry, Variables(), RegistrationScope::kMachine), hr::kOk);
  platform.log.clear();
  EXPECT_EQ(UnregisterServerEntries(platform, registry, Variables(), RegistrationScope::kMachine), hr::kOk);
  EXPECT_THAT(platform.log, ElementsAre("load 202", "unregister type library", "load 101"));
  EXPECT_THAT(registry.AllEntries(), ::testing::IsEmpty());
}

TEST(ServerRegistrationTest, FirstFailingStepEndsRegistrationAndEarlierWritesStay) {
  FakePlatform platform;
  platform.typeLibraryResult = static_cast<int32_t>(0x80029C4Au);
  FakeRegistry registry;
  EXPECT_EQ(RegisterServerEntries(platform, registry, Variables(), RegistrationScope::kMachine),
            platform.typeLibraryResult);
  EXPECT_TRUE(registry.HasKey(RegistryRoot::kClassesRoot, u"App202"));

  FakePlatform badScript;
  badScript.scripts[101] = u"HKCR { App101 = }";
  FakeRegistry untouched;
  EXPECT_EQ(RegisterServerEntries(badScript, untouched, Variables(), RegistrationScope::kMachine),
            registrar_error::kBadScript);
  EXPECT_THAT(badScript.log, ElementsAre("load 101"));

  FakePlatform missingScript;
  missingScript.failingScript = 202;
  FakeRegistry registry202;
  EXPECT_EQ(RegisterServerEntries(missingScript, registry202, Variables(), RegistrationScope::kMachine),
            static_cast<int32_t>(0x80070716u));
  EXPECT_THAT(missingScript.log, ElementsAre("load 101", "load 202"));
}

TEST(ServerRegistrationTest, FirstFailingStepEndsUnregistration) {
  FakePlatform platform;
  platform.typeLibraryResult = static_cast<int32_t>(0x8002801Cu);  // TYPE_E_REGISTRYACCESS
  FakeRegistry registry;
  EXPECT_EQ(UnregisterServerEntries(platform, registry, Variables(), RegistrationScope::kMachine),
            platform.typeLibraryResult);
  EXPECT_THAT(platform.log, ElementsAre("load 202", "unregister type library"));

  FakePlatform registryFailure;
  FakeRegistry failing;
  ASSERT_EQ(RegisterServerEntries(registryFailure, failing, Variables(), RegistrationScope::kMachine), hr::kOk);
  registryFailure.log.clear();
  failing.FailOn(FakeRegistry::Op::kDeleteKeyIfNoSubkeys, RegistryRoot::kClassesRoot, u"App202",
                 registry_error::kAccessDenied);
  EXPECT_EQ(UnregisterServerEntries(registryFailure, failing, Variables(), RegistrationScope::kMachine),
            registry_error::kAccessDenied);
  EXPECT_THAT(registryFailure.log, ElementsAre("load 202"));
}

TEST(TypeLibraryPathTest, ReplacesTheLastElementsExtensionWithTlb) {
  const struct {
    const char16_t* library;
    const char16_t* typeLibrary;
  } cases[] = {
      {u"C:\\Quillbox\\QuillboxAddIn.dll", u"C:\\Quillbox\\QuillboxAddIn.tlb"},
      {u"C:\\a.b\\QuillboxAddIn", u"C:\\a.b\\QuillboxAddIn.tlb"},
      {u"C:\\x\\lib.v1.dll", u"C:\\x\\lib.v1.tlb"},
      {u"C:\\x\\trailing.", u"C:\\x\\trailing.tlb"},
      {u"/unix/style.dir/file", u"/unix/style.dir/file.tlb"},
      {u"plain.dll", u"plain.tlb"},
      {u"", u".tlb"},
  };
  for (const auto& c : cases) EXPECT_EQ(TypeLibraryFallbackPath(c.library), c.typeLibrary);
}

}  // namespace
}  // namespace quillbox
