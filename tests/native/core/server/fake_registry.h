#pragma once
// An in-memory registry for the registrar's tests: keys and value names compared without
// regard to case as the Windows registry does, every call recorded, and failures that a test
// can arrange for one operation on one key or for everything written under one root.

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "common/com_error.h"
#include "server/ascii_case.h"
#include "server/registry_writer.h"

namespace quillbox::test {

inline std::u16string LowerPath(std::u16string_view text) {
  std::u16string out(text);
  for (char16_t& c : out) c = AsciiLower(c);
  return out;
}

// ASCII text of UTF-16, other code units as \uXXXX, for readable failure messages.
inline std::string Narrow(std::u16string_view text) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (char16_t c : text) {
    if (c >= 0x20 && c < 0x7F) {
      out.push_back(static_cast<char>(c));
    } else {
      out += "\\u";
      for (int shift = 12; shift >= 0; shift -= 4) out.push_back(kHex[(c >> shift) & 0xF]);
    }
  }
  return out;
}

inline const char* RootName(RegistryRoot root) {
  switch (root) {
    case RegistryRoot::kClassesRoot: return "HKCR";
    case RegistryRoot::kCurrentUser: return "HKCU";
    case RegistryRoot::kLocalMachine: return "HKLM";
    case RegistryRoot::kUsers: return "HKU";
  }
  return "?";
}

class FakeRegistry : public RegistryWriter {
 public:
  enum class Op { kCreateKey, kOpenKey, kDeleteTree, kDeleteKeyIfNoSubkeys, kSetString, kSetDword, kDeleteValue };

  // The next operation op on exactly this key fails with code (once per call to FailOn).
  void FailOn(Op op, RegistryRoot root, std::u16string_view path, int32_t code) {
    failures_.push_back({op, root, LowerPath(path), code});
  }
  // Everything under root that needs write access fails with access denied, as HKLM does for
  // a user who is not an administrator.
  void DenyWrites(RegistryRoot root) { deniedRoots_.insert(root); }

  // Every entry as one line, sorted: "HKCR\A\B" for a key, "HKCR\A\B\@ = \"text\"" for its
  // default value, "HKCR\A\B\[Name] = dword:3" for a named value. Names keep the case they were
  // created with.
  std::vector<std::string> Entries(RegistryRoot root) const {
    std::vector<std::string> lines;
    for (const auto& [id, key] : keys_) {
      if (id.first != root) continue;
      const std::string keyName = std::string(RootName(root)) + "\\" + Narrow(key.path);
      lines.push_back(keyName);
      for (const auto& [lower, value] : key.values) {
        std::string line = keyName + "\\" + (value.name.empty() ? "@" : "[" + Narrow(value.name) + "]") + " = ";
        line += value.isDword ? "dword:" + std::to_string(value.number) : "\"" + Narrow(value.text) + "\"";
        lines.push_back(line);
      }
    }
    std::sort(lines.begin(), lines.end());
    return lines;
  }
  std::vector<std::string> AllEntries() const {
    std::vector<std::string> all;
    for (RegistryRoot root : {RegistryRoot::kClassesRoot, RegistryRoot::kCurrentUser, RegistryRoot::kLocalMachine,
                              RegistryRoot::kUsers}) {
      auto lines = Entries(root);
      all.insert(all.end(), lines.begin(), lines.end());
    }
    return all;
  }
  bool HasKey(RegistryRoot root, std::u16string_view path) const { return keys_.count({root, LowerPath(path)}) != 0; }
  // Calls in order, as "Op ROOT\path[\name]".
  const std::vector<std::string>& Calls() const { return calls_; }

  int32_t CreateKey(RegistryRoot root, std::u16string_view path) override {
    if (int32_t code = Begin(Op::kCreateKey, "CreateKey", root, path, u"")) return code;
    // Like RegCreateKeyEx, creates every missing key on the way.
    for (size_t pos = 0;;) {
      const size_t separator = path.find(u'\\', pos);
      const std::u16string_view ancestor = path.substr(0, separator);
      keys_.try_emplace({root, LowerPath(ancestor)}, Key{std::u16string(ancestor), {}});
      if (separator == std::u16string_view::npos) break;
      pos = separator + 1;
    }
    return hr::kOk;
  }
  int32_t OpenKey(RegistryRoot root, std::u16string_view path) override {
    if (int32_t code = Begin(Op::kOpenKey, "OpenKey", root, path, u"")) return code;
    return HasKey(root, path) ? hr::kOk : registry_error::kFileNotFound;
  }
  int32_t DeleteTree(RegistryRoot root, std::u16string_view path) override {
    if (int32_t code = Begin(Op::kDeleteTree, "DeleteTree", root, path, u"")) return code;
    if (!HasKey(root, path)) return registry_error::kFileNotFound;
    const std::u16string lower = LowerPath(path);
    for (auto it = keys_.begin(); it != keys_.end();) {
      const auto& [itRoot, itPath] = it->first;
      const bool below = itRoot == root && (itPath == lower || itPath.rfind(lower + u"\\", 0) == 0);
      it = below ? keys_.erase(it) : std::next(it);
    }
    return hr::kOk;
  }
  int32_t DeleteKeyIfNoSubkeys(RegistryRoot root, std::u16string_view path) override {
    if (int32_t code = Begin(Op::kDeleteKeyIfNoSubkeys, "DeleteKeyIfNoSubkeys", root, path, u"")) return code;
    if (!HasKey(root, path)) return registry_error::kFileNotFound;
    const std::u16string prefix = LowerPath(path) + u"\\";
    for (const auto& [id, key] : keys_) {
      if (id.first == root && id.second.rfind(prefix, 0) == 0) return hr::kOk;
    }
    keys_.erase({root, LowerPath(path)});
    return hr::kOk;
  }
  int32_t SetString(RegistryRoot root, std::u16string_view path, std::u16string_view name,
                    std::u16string_view value) override {
    if (int32_t code = Begin(Op::kSetString, "SetString", root, path, name)) return code;
    return Store(root, path, name, Value{std::u16string(name), false, std::u16string(value), 0});
  }
  int32_t SetDword(RegistryRoot root, std::u16string_view path, std::u16string_view name, uint32_t value) override {
    if (int32_t code = Begin(Op::kSetDword, "SetDword", root, path, name)) return code;
    return Store(root, path, name, Value{std::u16string(name), true, {}, value});
  }
  int32_t DeleteValue(RegistryRoot root, std::u16string_view path, std::u16string_view name) override {
    if (int32_t code = Begin(Op::kDeleteValue, "DeleteValue", root, path, name)) return code;
    auto key = keys_.find({root, LowerPath(path)});
    if (key == keys_.end()) return registry_error::kFileNotFound;
    return key->second.values.erase(LowerPath(name)) ? hr::kOk : registry_error::kFileNotFound;
  }

 private:
  struct Value {
    std::u16string name;
    bool isDword = false;
    std::u16string text;
    uint32_t number = 0;
  };
  struct Key {
    std::u16string path;                   // as first created
    std::map<std::u16string, Value> values;  // by lower-case name
  };
  struct Failure {
    Op op;
    RegistryRoot root;
    std::u16string lowerPath;
    int32_t code;
  };

  // Records the call; answers the failure arranged for it, if any, else 0.
  int32_t Begin(Op op, const char* opName, RegistryRoot root, std::u16string_view path, std::u16string_view name) {
    std::string call = std::string(opName) + " " + RootName(root) + "\\" + Narrow(path);
    if (!name.empty()) call += "\\[" + Narrow(name) + "]";
    calls_.push_back(call);
    const std::u16string lower = LowerPath(path);
    for (auto it = failures_.begin(); it != failures_.end(); ++it) {
      if (it->op == op && it->root == root && it->lowerPath == lower) {
        const int32_t code = it->code;
        failures_.erase(it);
        return code;
      }
    }
    if (deniedRoots_.count(root)) return registry_error::kAccessDenied;
    return 0;
  }

  int32_t Store(RegistryRoot root, std::u16string_view path, std::u16string_view name, Value value) {
    auto key = keys_.find({root, LowerPath(path)});
    if (key == keys_.end()) return registry_error::kFileNotFound;
    key->second.values[LowerPath(name)] = std::move(value);
    return hr::kOk;
  }

  std::map<std::pair<RegistryRoot, std::u16string>, Key> keys_;
  std::vector<Failure> failures_;
  std::set<RegistryRoot> deniedRoots_;
  std::vector<std::string> calls_;
};

}  // namespace quillbox::test
