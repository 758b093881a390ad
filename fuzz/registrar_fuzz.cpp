// Registration scripts from the fuzzer: variables expanded, parsed, and a parsed script run in
// both modes against a registry that accepts everything.
#include <cstdlib>

#include "common/text_utf.h"
#include "server/registrar_executor.h"

using namespace quillbox;

namespace {

class AcceptingRegistry : public RegistryWriter {
 public:
  int32_t CreateKey(RegistryRoot, std::u16string_view) override { return 0; }
  int32_t OpenKey(RegistryRoot, std::u16string_view) override { return 0; }
  int32_t DeleteTree(RegistryRoot, std::u16string_view) override { return 0; }
  int32_t DeleteKeyIfNoSubkeys(RegistryRoot, std::u16string_view) override { return 0; }
  int32_t SetString(RegistryRoot, std::u16string_view, std::u16string_view, std::u16string_view) override { return 0; }
  int32_t SetDword(RegistryRoot, std::u16string_view, std::u16string_view, uint32_t) override { return 0; }
  int32_t DeleteValue(RegistryRoot, std::u16string_view, std::u16string_view) override { return 0; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::u16string text = Utf8ToUtf16(std::string_view(reinterpret_cast<const char*>(data), size));
  ReplacementVariables variables;
  variables.Set(u"PROGID", u"Quillbox.AddIn");
  variables.Set(u"Module", u"C:\\it''s\\QuillboxAddIn.dll");
  AcceptingRegistry registry;
  for (RegistrarMode mode : {RegistrarMode::kRegister, RegistrarMode::kUnregister}) {
    for (RegistrationScope scope : {RegistrationScope::kMachine, RegistrationScope::kPerUser}) {
      (void)RunRegistrarText(text, variables, mode, scope, registry);
    }
  }
  return 0;
}
