// The registration scripts as they are built into the library, run against an in-memory
// registry: the entries of both modes, what unregistration leaves, and the script's layout.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>

#include "fake_registry.h"
#include "server/registrar_executor.h"
#include "server/server_script_variables.h"

namespace quillbox {
namespace {

using test::FakeRegistry;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr char kClsid[] = "{2DD227D3-A097-4000-B385-2F845556AF4E}";
constexpr char kLibid[] = "{489CFAD6-9778-4B49-8D9E-5B8E4DE9705A}";
constexpr char16_t kModule[] = u"C:\\Program Files\\Quillbox\\QuillboxAddIn.dll";

std::string ReadScriptBytes(const char* name) {
  std::ifstream file(std::string(QUILLBOX_SOURCE_DIR) + "/server/win/registration/" + name, std::ios::binary);
  EXPECT_TRUE(file) << name;
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::u16string ReadScript(const char* name) {
  const std::string bytes = ReadScriptBytes(name);
  return std::u16string(bytes.begin(), bytes.end());  // single-byte ASCII text
}

ReplacementVariables Variables(std::u16string_view modulePath = kModule) {
  return ServerScriptVariables(
      {u"{2DD227D3-A097-4000-B385-2F845556AF4E}", u"{489CFAD6-9778-4B49-8D9E-5B8E4DE9705A}",
       u"{06FB7774-FDC6-4FA3-AED8-8535116DDDA0}"},
      modulePath);
}

int32_t RunClassScript(FakeRegistry& registry, RegistrarMode mode, RegistrationScope scope,
                       std::u16string_view modulePath = kModule) {
  RegistrarError error;
  const int32_t result =
      RunRegistrarText(ReadScript("connect_class.rgs"), Variables(modulePath), mode, scope, registry, &error);
  EXPECT_FALSE(error) << error.message;
  return result;
}

// The class entries below classesKey ("HKCR" or "HKCU\Software\Classes").
std::vector<std::string> ClassEntries(const std::string& classesKey, const std::string& modulePath) {
  const std::string progId = classesKey + "\\Quillbox.AddIn";
  const std::string versioned = progId + ".1";
  const std::string clsidKey = classesKey + "\\CLSID\\" + kClsid;
  return {
      versioned, versioned + "\\@ = \"Quillbox AddIn\"", versioned + "\\CLSID",
      versioned + "\\CLSID\\@ = \"" + kClsid + "\"",
      progId, progId + "\\@ = \"Quillbox AddIn\"", progId + "\\CLSID", progId + "\\CLSID\\@ = \"" + kClsid + "\"",
      progId + "\\CurVer", progId + "\\CurVer\\@ = \"Quillbox.AddIn.1\"",
      classesKey + "\\CLSID",
      clsidKey, clsidKey + "\\@ = \"Quillbox AddIn\"",
      clsidKey + "\\ProgID", clsidKey + "\\ProgID\\@ = \"Quillbox.AddIn.1\"",
      clsidKey + "\\VersionIndependentProgID", clsidKey + "\\VersionIndependentProgID\\@ = \"Quillbox.AddIn\"",
      clsidKey + "\\Programmable",
      clsidKey + "\\InprocServer32", clsidKey + "\\InprocServer32\\@ = \"" + modulePath + "\"",
      clsidKey + "\\InprocServer32\\[ThreadingModel] = \"Apartment\"",
      clsidKey + "\\TypeLib", clsidKey + "\\TypeLib\\@ = \"" + kLibid + "\"",
  };
}

// The keys from Software to Addins below root ("HKLM" or "HKCU").
std::vector<std::string> AddinsPath(const std::string& root) {
  return {root + "\\Software", root + "\\Software\\Microsoft", root + "\\Software\\Microsoft\\Office",
          root + "\\Software\\Microsoft\\Office\\Word", root + "\\Software\\Microsoft\\Office\\Word\\Addins"};
}

std::vector<std::string> AddinEntries(const std::string& root) {
  const std::string key = root + "\\Software\\Microsoft\\Office\\Word\\Addins\\Quillbox.AddIn";
  std::vector<std::string> entries = AddinsPath(root);
  entries.insert(entries.end(), {key, key + "\\[CommandLineSafe] = dword:1", key + "\\[Description] = \"Quillbox AddIn\"",
                                 key + "\\[FriendlyName] = \"Quillbox AddIn\"", key + "\\[LoadBehavior] = dword:3"});
  return entries;
}

std::vector<std::string> Sorted(std::vector<std::string> lines) {
  std::sort(lines.begin(), lines.end());
  return lines;
}

std::vector<std::string> Join(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return Sorted(std::move(a));
}

const std::string kModuleText = "C:\\Program Files\\Quillbox\\QuillboxAddIn.dll";

TEST(ClassScriptTest, MachineWideRegistrationWritesTheClassUnderHkcrAndTheAddinUnderHklm) {
  FakeRegistry registry;
  ASSERT_EQ(RunClassScript(registry, RegistrarMode::kRegister, RegistrationScope::kMachine), hr::kOk);
  EXPECT_EQ(registry.Entries(RegistryRoot::kClassesRoot), Sorted(ClassEntries("HKCR", kModuleText)));
  EXPECT_EQ(registry.Entries(RegistryRoot::kLocalMachine), Sorted(AddinEntries("HKLM")));
  EXPECT_THAT(registry.Entries(RegistryRoot::kCurrentUser), IsEmpty());
}

TEST(ClassScriptTest, PerUserRegistrationWritesEverythingUnderTheCurrentUser) {
  FakeRegistry registry;
  ASSERT_EQ(RunClassScript(registry, RegistrarMode::kRegister, RegistrationScope::kPerUser), hr::kOk);
  EXPECT_EQ(registry.Entries(RegistryRoot::kCurrentUser),
            Join(Join(ClassEntries("HKCU\\Software\\Classes", kModuleText), AddinEntries("HKCU")),
                 {"HKCU\\Software\\Classes"}));
  EXPECT_THAT(registry.Entries(RegistryRoot::kClassesRoot), IsEmpty());
  EXPECT_THAT(registry.Entries(RegistryRoot::kLocalMachine), IsEmpty());
}

TEST(ClassScriptTest, PerUserRegistrationNeedsNoWriteAccessOutsideTheCurrentUser) {
  FakeRegistry registry;
  registry.DenyWrites(RegistryRoot::kLocalMachine);
  registry.DenyWrites(RegistryRoot::kClassesRoot);
  EXPECT_EQ(RunClassScript(registry, RegistrarMode::kRegister, RegistrationScope::kPerUser), hr::kOk);
  EXPECT_EQ(RunClassScript(registry, RegistrarMode::kUnregister, RegistrationScope::kPerUser), hr::kOk);
}

TEST(ClassScriptTest, MachineWideRegistrationWithoutAccessToHklmFailsAfterTheClassEntries) {
  FakeRegistry registry;
  registry.DenyWrites(RegistryRoot::kLocalMachine);
  EXPECT_EQ(RunClassScript(registry, RegistrarMode::kRegister, RegistrationScope::kMachine),
            registry_error::kAccessDenied);
  EXPECT_EQ(registry.Calls().back(), "CreateKey HKLM\\Software");
  EXPECT_EQ(registry.Entries(RegistryRoot::kClassesRoot), Sorted(ClassEntries("HKCR", kModuleText)));
}

TEST(ClassScriptTest, UnregistrationLeavesOnlyTheSharedKeys) {
  for (auto scope : {RegistrationScope::kMachine, RegistrationScope::kPerUser}) {
    FakeRegistry registry;
    ASSERT_EQ(RunClassScript(registry, RegistrarMode::kRegister, scope), hr::kOk);
    ASSERT_EQ(RunClassScript(registry, RegistrarMode::kUnregister, scope), hr::kOk);
    if (scope == RegistrationScope::kMachine) {
      EXPECT_THAT(registry.Entries(RegistryRoot::kClassesRoot), ElementsAre("HKCR\\CLSID"));
      EXPECT_EQ(registry.Entries(RegistryRoot::kLocalMachine), AddinsPath("HKLM"));
    } else {
      EXPECT_EQ(registry.Entries(RegistryRoot::kCurrentUser),
                Join(AddinsPath("HKCU"), {"HKCU\\Software\\Classes", "HKCU\\Software\\Classes\\CLSID"}));
    }
  }
}

TEST(ClassScriptTest, UnregistrationKeepsKeysWhereSomebodyElseAddedSubkeys) {
  FakeRegistry registry;
  ASSERT_EQ(RunClassScript(registry, RegistrarMode::kRegister, RegistrationScope::kMachine), hr::kOk);
  const std::u16string clsidKey = u"CLSID\\{2DD227D3-A097-4000-B385-2F845556AF4E}";
  registry.CreateKey(RegistryRoot::kClassesRoot, clsidKey + u"\\Implemented Categories");
  registry.CreateKey(RegistryRoot::kClassesRoot, u"Quillbox.AddIn\\shell");
  registry.CreateKey(RegistryRoot::kLocalMachine, u"Software\\Microsoft\\Office\\Word\\Addins\\Quillbox.AddIn\\Extra");
  ASSERT_EQ(RunClassScript(registry, RegistrarMode::kUnregister, RegistrationScope::kMachine), hr::kOk);

  EXPECT_THAT(registry.Entries(RegistryRoot::kClassesRoot),
              ElementsAre("HKCR\\CLSID", "HKCR\\CLSID\\{2DD227D3-A097-4000-B385-2F845556AF4E}",
                          "HKCR\\CLSID\\{2DD227D3-A097-4000-B385-2F845556AF4E}\\@ = \"Quillbox AddIn\"",
                          "HKCR\\CLSID\\{2DD227D3-A097-4000-B385-2F845556AF4E}\\Implemented Categories",
                          "HKCR\\Quillbox.AddIn", "HKCR\\Quillbox.AddIn\\@ = \"Quillbox AddIn\"",
                          "HKCR\\Quillbox.AddIn\\shell"));
  // The add-in key stays for its subkey, but the values the script names are gone.
  EXPECT_EQ(registry.Entries(RegistryRoot::kLocalMachine),
            Join(AddinsPath("HKLM"), {"HKLM\\Software\\Microsoft\\Office\\Word\\Addins\\Quillbox.AddIn",
                                      "HKLM\\Software\\Microsoft\\Office\\Word\\Addins\\Quillbox.AddIn\\Extra"}));
}

TEST(ClassScriptTest, RegisteringTwiceLeavesOneSetOfEntries) {
  FakeRegistry registry;
  ASSERT_EQ(RunClassScript(registry, RegistrarMode::kRegister, RegistrationScope::kMachine), hr::kOk);
  // Left over from an older version: gone after the next registration, being below ForceRemove keys.
  registry.CreateKey(RegistryRoot::kClassesRoot, u"CLSID\\{2DD227D3-A097-4000-B385-2F845556AF4E}\\LocalServer32");
  registry.SetDword(RegistryRoot::kLocalMachine, u"Software\\Microsoft\\Office\\Word\\Addins\\Quillbox.AddIn",
                    u"LoadBehavior", 2);
  registry.SetString(RegistryRoot::kLocalMachine, u"Software\\Microsoft\\Office\\Word\\Addins\\Quillbox.AddIn",
                     u"Obsolete", u"x");
  ASSERT_EQ(RunClassScript(registry, RegistrarMode::kRegister, RegistrationScope::kMachine), hr::kOk);
  EXPECT_EQ(registry.Entries(RegistryRoot::kClassesRoot), Sorted(ClassEntries("HKCR", kModuleText)));
  EXPECT_EQ(registry.Entries(RegistryRoot::kLocalMachine), Sorted(AddinEntries("HKLM")));
}

TEST(ClassScriptTest, ModulePathWithSingleQuotesIsWrittenUnchanged) {
  FakeRegistry registry;
  ASSERT_EQ(RunClassScript(registry, RegistrarMode::kRegister, RegistrationScope::kMachine,
                           u"C:\\Users\\o'brien\\it''s\\QuillboxAddIn.dll"),
            hr::kOk);
  EXPECT_EQ(registry.Entries(RegistryRoot::kClassesRoot),
            Sorted(ClassEntries("HKCR", "C:\\Users\\o'brien\\it''s\\QuillboxAddIn.dll")));
}

TEST(ClassScriptTest, ApplicationIdentifierScriptTouchesNothing) {
  for (auto mode : {RegistrarMode::kRegister, RegistrarMode::kUnregister}) {
    for (auto scope : {RegistrationScope::kMachine, RegistrationScope::kPerUser}) {
      FakeRegistry registry;
      EXPECT_EQ(RunRegistrarText(ReadScript("module_appid.rgs"), Variables(), mode, scope, registry), hr::kOk);
      // Per user, unregistration only looks for HKCU\Software\Classes.
      for (const std::string& call : registry.Calls()) EXPECT_EQ(call, "OpenKey HKCU\\Software\\Classes");
      EXPECT_THAT(registry.AllEntries(), IsEmpty());
    }
  }
}

std::vector<std::string> Lines(const std::string& bytes) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(bytes.substr(start, end - start));
  }
  EXPECT_EQ(start, bytes.size()) << "text after the last CR LF";
  return lines;
}

TEST(ClassScriptTest, ScriptsAreTabIndentedCrLfTextWithBracesOnTheirOwnLines) {
  for (const char* name : {"connect_class.rgs", "module_appid.rgs"}) {
    SCOPED_TRACE(name);
    const std::string bytes = ReadScriptBytes(name);
    for (unsigned char c : bytes) ASSERT_TRUE(c == '\t' || c == '\r' || c == '\n' || (c >= 0x20 && c < 0x7F));
    const std::vector<std::string> lines = Lines(bytes);
    int depth = 0;
    int blankLines = 0;
    for (const std::string& line : lines) {
      ASSERT_EQ(line.find('\r'), std::string::npos);
      ASSERT_EQ(line.find('\n'), std::string::npos);
      if (line.empty()) {
        EXPECT_EQ(depth, 0) << "blank line inside a block";
        ++blankLines;
        continue;
      }
      const size_t tabs = line.find_first_not_of('\t');
      const std::string content = line.substr(tabs);
      if (content == "}") --depth;
      EXPECT_EQ(tabs, static_cast<size_t>(depth)) << line;
      EXPECT_TRUE(content.find_first_of("{}") == std::string::npos || content == "{" || content == "}") << line;
      EXPECT_NE(content.back(), ' ') << line;
      if (content == "{") ++depth;
    }
    EXPECT_EQ(depth, 0);
    EXPECT_EQ(blankLines, std::string(name) == "connect_class.rgs" ? 1 : 0);
  }
}

}  // namespace
}  // namespace quillbox
