// The registration scripts as they are built into the library, run against an in-memory
// registry: the entries of both modes, what unregistration leaves, and the scripts' layout.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>

#include "server/registrar_executor.h"
#include "server/server_script_variables.h"
#include "server/shared_keys_kept.h"
#include "tests/support/fake_registry.h"

namespace quillbox {
namespace {

using testing::FakeRegistry;
using ::testing::IsEmpty;

constexpr auto kMachine = RegistrationScope::kMachine;
constexpr auto kPerUser = RegistrationScope::kPerUser;
const std::string kClsid = "{2DD227D3-A097-4000-B385-2F845556AF4E}";
const std::string kModule = "C:\\Program Files\\Quillbox\\QuillboxAddIn.dll";

std::string ReadScript(const char* name) {
  std::ifstream file(std::string(QUILLBOX_SOURCE_DIR) + "/server/win/registration/" + name, std::ios::binary);
  EXPECT_TRUE(file) << name;
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

int32_t RunScriptFile(const char* name, RegistryWriter& registry, RegistrarMode mode, RegistrationScope scope,
                      const std::string& modulePath = kModule) {
  const std::string bytes = ReadScript(name);  // single-byte ASCII text
  const auto variables = ServerScriptVariables(
      {u"{2DD227D3-A097-4000-B385-2F845556AF4E}", u"{489CFAD6-9778-4B49-8D9E-5B8E4DE9705A}",
       u"{06FB7774-FDC6-4FA3-AED8-8535116DDDA0}"},
      std::u16string(modulePath.begin(), modulePath.end()));
  RegistrarError error;
  const int32_t result =
      RunRegistrarText(std::u16string(bytes.begin(), bytes.end()), variables, mode, scope, registry, &error);
  EXPECT_FALSE(error) << error.message;
  return result;
}

int32_t RunClassScript(RegistryWriter& registry, RegistrarMode mode, RegistrationScope scope,
                       const std::string& modulePath = kModule) {
  return RunScriptFile("connect_class.rgs", registry, mode, scope, modulePath);
}

// The keys from Software to Addins below root ("HKLM" or "HKCU").
std::vector<std::string> AddinsPath(const std::string& root) {
  std::vector<std::string> keys;
  std::string key = root;
  for (const char* name : {"Software", "Microsoft", "Office", "Word", "Addins"}) keys.push_back(key += "\\" + std::string(name));
  return keys;
}

// Every entry of a registration: the class below classes ("HKCR" or "HKCU\Software\Classes"),
// the add-in key below addinRoot ("HKLM" or "HKCU").
std::vector<std::string> Registered(const std::string& classes, const std::string& addinRoot,
                                    const std::string& modulePath = kModule) {
  const std::string progId = classes + "\\Quillbox.AddIn", versioned = progId + ".1";
  const std::string classKey = classes + "\\CLSID\\" + kClsid, addin = addinRoot + "\\Software\\Microsoft\\Office\\Word\\Addins\\Quillbox.AddIn";
  std::vector<std::string> entries = {
      versioned, versioned + "\\@ = \"Quillbox AddIn\"", versioned + "\\CLSID", versioned + "\\CLSID\\@ = \"" + kClsid + "\"",
      progId, progId + "\\@ = \"Quillbox AddIn\"", progId + "\\CLSID", progId + "\\CLSID\\@ = \"" + kClsid + "\"",
      progId + "\\CurVer", progId + "\\CurVer\\@ = \"Quillbox.AddIn.1\"",
      classes + "\\CLSID", classKey, classKey + "\\@ = \"Quillbox AddIn\"",
      classKey + "\\ProgID", classKey + "\\ProgID\\@ = \"Quillbox.AddIn.1\"",
      classKey + "\\VersionIndependentProgID", classKey + "\\VersionIndependentProgID\\@ = \"Quillbox.AddIn\"",
      classKey + "\\Programmable", classKey + "\\InprocServer32", classKey + "\\InprocServer32\\@ = \"" + modulePath + "\"",
      classKey + "\\InprocServer32\\[ThreadingModel] = \"Apartment\"",
      classKey + "\\TypeLib", classKey + "\\TypeLib\\@ = \"{489CFAD6-9778-4B49-8D9E-5B8E4DE9705A}\"",
      addin, addin + "\\[CommandLineSafe] = dword:1", addin + "\\[Description] = \"Quillbox AddIn\"",
      addin + "\\[FriendlyName] = \"Quillbox AddIn\"", addin + "\\[LoadBehavior] = dword:3"};
  for (const std::string& key : AddinsPath(addinRoot)) entries.push_back(key);
  if (classes != "HKCR") entries.push_back(classes);
  std::sort(entries.begin(), entries.end());
  return entries;
}

std::vector<std::string> Sorted(std::vector<std::string> lines) {
  std::sort(lines.begin(), lines.end());
  return lines;
}

TEST(ClassScriptTest, MachineWideRegistrationWritesTheClassUnderHkcrAndTheAddinUnderHklm) {
  FakeRegistry registry;
  ASSERT_EQ(RunClassScript(registry, RegistrarMode::kRegister, kMachine), hr::kOk);
  EXPECT_EQ(registry.Entries(), Registered("HKCR", "HKLM"));
}

TEST(ClassScriptTest, PerUserRegistrationWritesEverythingUnderTheCurrentUserWithoutOtherRights) {
  FakeRegistry registry;
  registry.DenyWrites(RegistryRoot::kLocalMachine);
  registry.DenyWrites(RegistryRoot::kClassesRoot);
  ASSERT_EQ(RunClassScript(registry, RegistrarMode::kRegister, kPerUser), hr::kOk);
  EXPECT_EQ(registry.Entries(), Registered("HKCU\\Software\\Classes", "HKCU"));
}

TEST(ClassScriptTest, MachineWideRegistrationWithoutAccessToHklmFailsAfterTheClassEntries) {
  FakeRegistry registry;
  registry.DenyWrites(RegistryRoot::kLocalMachine);
  EXPECT_EQ(RunClassScript(registry, RegistrarMode::kRegister, kMachine), registry_error::kAccessDenied);
  EXPECT_EQ(registry.Calls().back(), "CreateKey HKLM\\Software");
  std::vector<std::string> classEntries;  // everything but the HKLM ones
  for (const std::string& entry : Registered("HKCR", "HKLM")) {
    if (entry.rfind("HKCR", 0) == 0) classEntries.push_back(entry);
  }
  EXPECT_EQ(registry.Entries(), classEntries);
}

TEST(ClassScriptTest, UnregistrationLeavesOnlyTheSharedKeysAndToleratesEntriesAlreadyGone) {
  const struct {
    RegistrationScope scope;
    std::vector<std::string> left;
  } cases[] = {{kMachine, Sorted({"HKCR\\CLSID", "HKLM\\Software", "HKLM\\Software\\Microsoft",
                                  "HKLM\\Software\\Microsoft\\Office", "HKLM\\Software\\Microsoft\\Office\\Word",
                                  "HKLM\\Software\\Microsoft\\Office\\Word\\Addins"})},
               {kPerUser, Sorted({"HKCU\\Software\\Classes", "HKCU\\Software\\Classes\\CLSID", "HKCU\\Software",
                                  "HKCU\\Software\\Microsoft", "HKCU\\Software\\Microsoft\\Office",
                                  "HKCU\\Software\\Microsoft\\Office\\Word",
                                  "HKCU\\Software\\Microsoft\\Office\\Word\\Addins"})}};
  for (const auto& c : cases) {
    FakeRegistry registry;
    ASSERT_EQ(RunClassScript(registry, RegistrarMode::kRegister, c.scope), hr::kOk);
    const std::u16string classes = c.scope == kMachine ? u"" : u"Software\\Classes\\";
    const auto root = c.scope == kMachine ? RegistryRoot::kClassesRoot : RegistryRoot::kCurrentUser;
    registry.DeleteTree(root, classes + u"Quillbox.AddIn\\CurVer");  // removed by hand before
    ASSERT_EQ(RunClassScript(registry, RegistrarMode::kUnregister, c.scope), hr::kOk);
    EXPECT_EQ(registry.Entries(), c.left);
    ASSERT_EQ(RunClassScript(registry, RegistrarMode::kUnregister, c.scope), hr::kOk);
    EXPECT_EQ(registry.Entries(), c.left);
  }
}

// While the library of the other bitness stays registered: the class goes, the keys that both
// registry views share (ProgIDs; per user also the Word add-in key) stay for the other Word.
TEST(ClassScriptTest, UnregistrationBesideTheOtherBitnessKeepsTheSharedKeys) {
  const std::u16string clsid = u"CLSID\\{2DD227D3-A097-4000-B385-2F845556AF4E}";
  const std::u16string addin = u"Software\\Microsoft\\Office\\Word\\Addins\\Quillbox.AddIn";
  const struct {
    RegistrationScope scope;
    RegistryRoot classRoot;
    std::u16string classes;
    RegistryRoot addinRoot;
    bool addinKept;
  } cases[] = {{kMachine, RegistryRoot::kClassesRoot, u"", RegistryRoot::kLocalMachine, false},
               {kPerUser, RegistryRoot::kCurrentUser, u"Software\\Classes\\", RegistryRoot::kCurrentUser, true}};
  for (const auto& c : cases) {
    FakeRegistry registry;
    ASSERT_EQ(RunClassScript(registry, RegistrarMode::kRegister, c.scope), hr::kOk);
    SharedKeysKept kept(registry);
    ASSERT_EQ(RunClassScript(kept, RegistrarMode::kUnregister, c.scope), hr::kOk);
    EXPECT_TRUE(registry.HasKey(c.classRoot, c.classes + u"Quillbox.AddIn\\CurVer"));
    EXPECT_TRUE(registry.HasKey(c.classRoot, c.classes + u"Quillbox.AddIn.1\\CLSID"));
    EXPECT_FALSE(registry.HasKey(c.classRoot, c.classes + clsid));
    EXPECT_EQ(registry.HasKey(c.addinRoot, addin), c.addinKept);
  }
  // A key that only begins like a ProgID is not one.
  EXPECT_FALSE(SharedKeysKept::IsShared(RegistryRoot::kClassesRoot, u"Quillbox.AddInOther"));
  EXPECT_TRUE(SharedKeysKept::IsShared(RegistryRoot::kLocalMachine, u"software\\classes\\quillbox.addin.1"));
}

TEST(ClassScriptTest, UnregistrationKeepsKeysWhereSomebodyElseAddedSubkeys) {
  FakeRegistry registry;
  ASSERT_EQ(RunClassScript(registry, RegistrarMode::kRegister, kMachine), hr::kOk);
  const std::u16string addin = u"Software\\Microsoft\\Office\\Word\\Addins\\Quillbox.AddIn";
  registry.CreateKey(RegistryRoot::kClassesRoot, u"CLSID\\{2DD227D3-A097-4000-B385-2F845556AF4E}\\Implemented Categories");
  registry.CreateKey(RegistryRoot::kClassesRoot, u"Quillbox.AddIn\\shell");
  registry.CreateKey(RegistryRoot::kLocalMachine, addin + u"\\Extra");
  ASSERT_EQ(RunClassScript(registry, RegistrarMode::kUnregister, kMachine), hr::kOk);

  std::vector<std::string> left = AddinsPath("HKLM");
  const std::string classKey = "HKCR\\CLSID\\" + kClsid, addinKey = testing::Ascii(u"HKLM\\" + addin);
  left.insert(left.end(), {"HKCR\\CLSID", classKey, classKey + "\\@ = \"Quillbox AddIn\"",
                           classKey + "\\Implemented Categories", "HKCR\\Quillbox.AddIn",
                           "HKCR\\Quillbox.AddIn\\@ = \"Quillbox AddIn\"", "HKCR\\Quillbox.AddIn\\shell",
                           addinKey, addinKey + "\\Extra"});  // the add-in key's values are gone
  EXPECT_EQ(registry.Entries(), Sorted(left));
}

TEST(ClassScriptTest, RegisteringAgainLeavesOneSetOfEntries) {
  FakeRegistry registry;
  ASSERT_EQ(RunClassScript(registry, RegistrarMode::kRegister, kMachine), hr::kOk);
  // Left from an older version below the ForceRemove keys: gone after the next registration.
  const std::u16string addin = u"Software\\Microsoft\\Office\\Word\\Addins\\Quillbox.AddIn";
  registry.CreateKey(RegistryRoot::kClassesRoot, u"CLSID\\{2DD227D3-A097-4000-B385-2F845556AF4E}\\LocalServer32");
  registry.SetDword(RegistryRoot::kLocalMachine, addin, u"LoadBehavior", 2);
  registry.SetString(RegistryRoot::kLocalMachine, addin, u"Obsolete", u"x");
  ASSERT_EQ(RunClassScript(registry, RegistrarMode::kRegister, kMachine), hr::kOk);
  EXPECT_EQ(registry.Entries(), Registered("HKCR", "HKLM"));
}

TEST(ClassScriptTest, ModulePathWithSingleQuotesIsWrittenUnchanged) {
  FakeRegistry registry;
  const std::string path = "C:\\Users\\o'brien\\it''s\\QuillboxAddIn.dll";
  ASSERT_EQ(RunClassScript(registry, RegistrarMode::kRegister, kMachine, path), hr::kOk);
  EXPECT_EQ(registry.Entries(), Registered("HKCR", "HKLM", path));
}

TEST(ClassScriptTest, ApplicationIdentifierScriptWritesNothing) {
  for (auto mode : {RegistrarMode::kRegister, RegistrarMode::kUnregister}) {
    FakeRegistry registry;
    EXPECT_EQ(RunScriptFile("module_appid.rgs", registry, mode, kMachine), hr::kOk);
    EXPECT_THAT(registry.Calls(), IsEmpty());
  }
}

TEST(ClassScriptTest, ScriptsAreTabIndentedCrLfLinesWithBracesOnTheirOwnLines) {
  for (const char* name : {"connect_class.rgs", "module_appid.rgs"}) {
    SCOPED_TRACE(name);
    const std::string bytes = ReadScript(name);
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
    int depth = 0, blankLines = 0;
    for (size_t start = 0, end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2) {
      const std::string line = bytes.substr(start, end - start);
      ASSERT_EQ(line.find_first_of("\r\n"), std::string::npos) << "a line end that is not CR LF";
      for (unsigned char c : line) ASSERT_TRUE(c == '\t' || (c >= 0x20 && c < 0x7F)) << line;
      if (line.empty()) {
        EXPECT_EQ(depth, 0) << "blank line inside a block";
        ++blankLines;
        continue;
      }
      const size_t tabs = line.find_first_not_of('\t');
      const std::string content = line.substr(tabs);
      if (content == "}") --depth;
      EXPECT_EQ(tabs, static_cast<size_t>(depth)) << line;
      EXPECT_TRUE(content.find_first_of("{}") == std::string::npos || content.size() == 1) << line;
      if (content == "{") ++depth;
    }
    EXPECT_EQ(depth, 0);
    EXPECT_EQ(blankLines, std::string(name) == "connect_class.rgs" ? 1 : 0);  // between the root blocks
  }
}

}  // namespace
}  // namespace quillbox
