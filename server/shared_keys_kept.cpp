#include "server/shared_keys_kept.h"

#include <string>

#include "common/com_error.h"
#include "server/ascii_case.h"
#include "server/server_identity.h"

namespace quillbox {
namespace {

// path is key or lies below it.
bool AtOrBelow(std::u16string_view path, std::u16string_view key) {
  if (path.size() < key.size() || !AsciiEqualsIgnoreCase(path.substr(0, key.size()), key)) return false;
  return path.size() == key.size() || path[key.size()] == u'\\';
}

bool IsProgIdKey(std::u16string_view path) {
  const std::u16string versioned = std::u16string(kProgId) + u"." + kProgIdVersion;
  return AtOrBelow(path, kProgId) || AtOrBelow(path, versioned);
}

}  // namespace

bool SharedKeysKept::IsShared(RegistryRoot root, std::u16string_view path) {
  constexpr std::u16string_view kClasses = u"Software\\Classes\\";
  constexpr std::u16string_view kUserAddins = u"Software\\Microsoft\\Office\\Word\\Addins\\";
  switch (root) {
    case RegistryRoot::kClassesRoot:
      return IsProgIdKey(path);
    case RegistryRoot::kLocalMachine:
      return path.size() > kClasses.size() && AsciiEqualsIgnoreCase(path.substr(0, kClasses.size()), kClasses) &&
             IsProgIdKey(path.substr(kClasses.size()));
    case RegistryRoot::kCurrentUser:
      if (path.size() > kClasses.size() && AsciiEqualsIgnoreCase(path.substr(0, kClasses.size()), kClasses)) {
        return IsProgIdKey(path.substr(kClasses.size()));
      }
      return AtOrBelow(path, std::u16string(kUserAddins) + kProgId);
    case RegistryRoot::kUsers:
      return false;
  }
  return false;
}

int32_t SharedKeysKept::DeleteTree(RegistryRoot root, std::u16string_view path) {
  return IsShared(root, path) ? hr::kOk : inner_.DeleteTree(root, path);
}

int32_t SharedKeysKept::DeleteKeyIfNoSubkeys(RegistryRoot root, std::u16string_view path) {
  return IsShared(root, path) ? hr::kOk : inner_.DeleteKeyIfNoSubkeys(root, path);
}

int32_t SharedKeysKept::DeleteValue(RegistryRoot root, std::u16string_view path, std::u16string_view name) {
  return IsShared(root, path) ? hr::kOk : inner_.DeleteValue(root, path, name);
}

}  // namespace quillbox
