#pragma once
// An in-memory registry for the registrar's tests: names compared without regard to case as
// the Windows registry does, every call recorded, and failures a test can arrange for one
// operation on one key or for every write under one root.

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "common/com_error.h"
#include "server/ascii_case.h"
#include "server/registry_writer.h"

namespace quillbox::testing {

inline std::string Ascii(std::u16string_view text) { return std::string(text.begin(), text.end()); }

class FakeRegistry : public RegistryWriter {
 public:
  // The next call op ("CreateKey", "SetString", ...) on exactly this key fails with code.
  void FailOn(const std::string& op, RegistryRoot root, std::u16string_view path, int32_t code) {
    failures_.push_back({op, root, Lower(path), code});
  }
  // Every call under root fails with access denied, as HKLM does for a non-administrator.
  void DenyWrites(RegistryRoot root) { denied_.insert(root); }

  // Every entry as one sorted line: "HKCR\A\B" for a key, "HKCR\A\B\@ = \"text\"" for its
  // default value, "HKCR\A\B\[Name] = dword:3" for a named value.
  std::vector<std::string> Entries() const {
    std::vector<std::string> lines;
    for (const auto& [id, key] : keys_) {
      const std::string name = RootName(id.first) + "\\" + Ascii(key.path);
      lines.push_back(name);
      for (const auto& [lower, value] : key.values) {
        lines.push_back(name + "\\" + (value.name.empty() ? "@" : "[" + Ascii(value.name) + "]") + " = " +
                        (value.isDword ? "dword:" + std::to_string(value.number) : "\"" + Ascii(value.text) + "\""));
      }
    }
    std::sort(lines.begin(), lines.end());
    return lines;
  }
  bool HasKey(RegistryRoot root, std::u16string_view path) const { return keys_.count({root, Lower(path)}) != 0; }
  // Calls in order, as "Op ROOT\path" or "Op ROOT\path\[name]".
  const std::vector<std::string>& Calls() const { return calls_; }

  int32_t CreateKey(RegistryRoot root, std::u16string_view path) override {
    if (int32_t code = Begin("CreateKey", root, path)) return code;
    for (size_t pos = 0;; ++pos) {  // like RegCreateKeyEx, creates every missing key on the way
      pos = path.find(u'\\', pos);
      keys_.try_emplace({root, Lower(path.substr(0, pos))}, Key{std::u16string(path.substr(0, pos)), {}});
      if (pos == std::u16string_view::npos) return hr::kOk;
    }
  }
  int32_t OpenKey(RegistryRoot root, std::u16string_view path) override {
    if (int32_t code = Begin("OpenKey", root, path)) return code;
    return HasKey(root, path) ? hr::kOk : registry_error::kFileNotFound;
  }
  int32_t DeleteTree(RegistryRoot root, std::u16string_view path) override {
    if (int32_t code = Begin("DeleteTree", root, path)) return code;
    if (!HasKey(root, path)) return registry_error::kFileNotFound;
    for (auto it = keys_.begin(); it != keys_.end();) it = IsAtOrBelow(it->first, root, path) ? keys_.erase(it) : std::next(it);
    return hr::kOk;
  }
  int32_t DeleteKeyIfNoSubkeys(RegistryRoot root, std::u16string_view path) override {
    if (int32_t code = Begin("DeleteKeyIfNoSubkeys", root, path)) return code;
    if (!HasKey(root, path)) return registry_error::kFileNotFound;
    const bool hasSubkeys = std::any_of(keys_.begin(), keys_.end(), [&](const auto& entry) {
      return IsAtOrBelow(entry.first, root, path) && entry.first.second.size() > path.size();
    });
    if (!hasSubkeys) keys_.erase({root, Lower(path)});
    return hr::kOk;
  }
  int32_t SetString(RegistryRoot root, std::u16string_view path, std::u16string_view name,
                    std::u16string_view value) override {
    if (int32_t code = Begin("SetString", root, path, name)) return code;
    return Store(root, path, {std::u16string(name), false, std::u16string(value), 0});
  }
  int32_t SetDword(RegistryRoot root, std::u16string_view path, std::u16string_view name, uint32_t value) override {
    if (int32_t code = Begin("SetDword", root, path, name)) return code;
    return Store(root, path, {std::u16string(name), true, {}, value});
  }
  int32_t DeleteValue(RegistryRoot root, std::u16string_view path, std::u16string_view name) override {
    if (int32_t code = Begin("DeleteValue", root, path, name)) return code;
    auto key = keys_.find({root, Lower(path)});
    return key != keys_.end() && key->second.values.erase(Lower(name)) ? hr::kOk : registry_error::kFileNotFound;
  }

 private:
  struct Value {
    std::u16string name;
    bool isDword;
    std::u16string text;
    uint32_t number;
  };
  struct Key {
    std::u16string path;                     // as first created
    std::map<std::u16string, Value> values;  // by lower-case name
  };
  struct Failure {
    std::string op;
    RegistryRoot root;
    std::u16string path;
    int32_t code;
  };
  using KeyId = std::pair<RegistryRoot, std::u16string>;

  static std::u16string Lower(std::u16string_view text) {
    std::u16string out(text);
    for (char16_t& c : out) c = AsciiLower(c);
    return out;
  }
  static std::string RootName(RegistryRoot root) {
    static const char* const kNames[] = {"HKCR", "HKCU", "HKLM", "HKU"};
    return kNames[static_cast<int>(root)];
  }
  static bool IsAtOrBelow(const KeyId& id, RegistryRoot root, std::u16string_view path) {
    const std::u16string lower = Lower(path);
    return id.first == root && (id.second == lower || id.second.rfind(lower + u"\\", 0) == 0);
  }

  // Records the call; answers the failure arranged for it, else 0.
  int32_t Begin(const std::string& op, RegistryRoot root, std::u16string_view path, std::u16string_view name = {}) {
    calls_.push_back(op + " " + RootName(root) + "\\" + Ascii(path) + (name.empty() ? "" : "\\[" + Ascii(name) + "]"));
    for (auto it = failures_.begin(); it != failures_.end(); ++it) {
      if (it->op == op && it->root == root && it->path == Lower(path)) {
        const int32_t code = it->code;
        failures_.erase(it);
        return code;
      }
    }
    return denied_.count(root) ? registry_error::kAccessDenied : 0;
  }

  int32_t Store(RegistryRoot root, std::u16string_view path, Value value) {
    auto key = keys_.find({root, Lower(path)});
    if (key == keys_.end()) return registry_error::kFileNotFound;
    key->second.values[Lower(value.name)] = std::move(value);
    return hr::kOk;
  }

  std::map<KeyId, Key> keys_;
  std::vector<Failure> failures_;
  std::set<RegistryRoot> denied_;
  std::vector<std::string> calls_;
};

}  // namespace quillbox::testing
