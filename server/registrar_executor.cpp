#include "server/registrar_executor.h"

#include "common/com_error.h"

namespace quillbox {
namespace {

std::u16string JoinPath(std::u16string_view parent, std::u16string_view name) {
  std::u16string path(parent);
  if (!path.empty()) path.push_back(u'\\');
  path.append(name);
  return path;
}

class ScriptRun {
 public:
  ScriptRun(RegistryWriter& registry, RegistryRoot root) : registry_(registry), root_(root) {}

  int32_t Register(const std::u16string& parent, const RegistrarKey& key) {
    const std::u16string path = JoinPath(parent, key.name);
    if (key.removal == KeyRemoval::kForceRemove) {
      const int32_t deleted = registry_.DeleteTree(root_, path);
      if (hr::Failed(deleted) && !registry_error::IsNotFound(deleted)) return deleted;
    }
    if (int32_t result = registry_.CreateKey(root_, path); hr::Failed(result)) return result;
    if (key.defaultValue) {
      if (int32_t result = Write(path, *key.defaultValue); hr::Failed(result)) return result;
    }
    for (const RegistrarValue& value : key.values) {
      if (int32_t result = Write(path, value); hr::Failed(result)) return result;
    }
    for (const RegistrarKey& subkey : key.subkeys) {
      if (int32_t result = Register(path, subkey); hr::Failed(result)) return result;
    }
    return hr::kOk;
  }

  int32_t Unregister(const std::u16string& parent, const RegistrarKey& key) {
    const std::u16string path = JoinPath(parent, key.name);
    if (hr::Failed(registry_.OpenKey(root_, path))) return hr::kOk;  // nothing of ours to remove
    for (const RegistrarValue& value : key.values) {
      const int32_t deleted = registry_.DeleteValue(root_, path, value.name);
      if (hr::Failed(deleted) && !registry_error::IsNotFound(deleted)) return deleted;
    }
    for (const RegistrarKey& subkey : key.subkeys) {
      if (int32_t result = Unregister(path, subkey); hr::Failed(result)) return result;
    }
    if (key.removal == KeyRemoval::kNoRemove) return hr::kOk;
    const int32_t deleted = registry_.DeleteKeyIfNoSubkeys(root_, path);
    return hr::Failed(deleted) && !registry_error::IsNotFound(deleted) ? deleted : hr::kOk;
  }

 private:
  int32_t Write(const std::u16string& path, const RegistrarValue& value) {
    return value.type == RegistrarValue::Type::kString ? registry_.SetString(root_, path, value.name, value.text)
                                                       : registry_.SetDword(root_, path, value.name, value.number);
  }

  RegistryWriter& registry_;
  RegistryRoot root_;
};

int32_t RunBlock(const RegistrarRootBlock& block, RegistrarMode mode, RegistrationScope scope,
                 RegistryWriter& registry) {
  const RootPlacement place = PlaceRootBlock(block.root, scope);
  ScriptRun run(registry, place.root);
  if (mode == RegistrarMode::kUnregister && !place.prefix.empty() &&
      hr::Failed(registry.OpenKey(place.root, place.prefix))) {
    return hr::kOk;
  }
  for (const RegistrarKey& key : block.keys) {
    const int32_t result =
        mode == RegistrarMode::kRegister ? run.Register(place.prefix, key) : run.Unregister(place.prefix, key);
    if (hr::Failed(result)) return result;
  }
  return hr::kOk;
}

}  // namespace

RootPlacement PlaceRootBlock(RegistryRoot scriptRoot, RegistrationScope scope) {
  if (scope == RegistrationScope::kPerUser) {
    if (scriptRoot == RegistryRoot::kClassesRoot) return {RegistryRoot::kCurrentUser, u"Software\\Classes"};
    if (scriptRoot == RegistryRoot::kLocalMachine) return {RegistryRoot::kCurrentUser, u""};
  }
  return {scriptRoot, u""};
}

int32_t RunRegistrarScript(const RegistrarScript& script, RegistrarMode mode, RegistrationScope scope,
                           RegistryWriter& registry) {
  for (const RegistrarRootBlock& block : script.blocks) {
    if (int32_t result = RunBlock(block, mode, scope, registry); hr::Failed(result)) return result;
  }
  return hr::kOk;
}

int32_t RunRegistrarText(std::u16string_view text, const ReplacementVariables& variables, RegistrarMode mode,
                         RegistrationScope scope, RegistryWriter& registry, RegistrarError* error) {
  ExpandedScript expanded = ExpandVariables(text, variables);
  if (expanded.error) {
    if (error) *error = expanded.error;
    return expanded.error.code;
  }
  RegistrarParseResult parsed = ParseRegistrarScript(expanded.text);
  if (parsed.error) {
    if (error) *error = parsed.error;
    return parsed.error.code;
  }
  return RunRegistrarScript(parsed.script, mode, scope, registry);
}

}  // namespace quillbox
