// The base URL read from the real registry under Wine: each case writes the value under
// HKEY_LOCAL_MACHINE\Software\Slatewood\QuillboxAddIn (and the current user's same key),
// reads it through the reader, and puts the keys back as they were.

#include "settings/win/registry_settings_reader.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>

#include "common/win/unique_handle.h"
#include "tests/windows/build_architecture.h"

namespace quillbox::testing {
namespace {

using win::kSettingsSubkey;
using win::RegistrySettingsReader;
using win::UniqueRegKey;

// The value's bytes as the registry stores UTF-16 text (little-endian), with or without the
// terminating null.
std::string Utf16Bytes(std::u16string_view text, bool terminated = true) {
  std::string bytes;
  for (char16_t unit : text) {
    bytes.push_back(static_cast<char>(unit & 0xff));
    bytes.push_back(static_cast<char>(unit >> 8));
  }
  if (terminated) bytes.append(2, '\0');
  return bytes;
}

struct SavedValue {
  DWORD type;
  std::string bytes;
};

// Removes the settings key (under the given root, in the given registry view) for the
// object's lifetime and restores the default value that was there before.
class SettingsKeySandbox {
 public:
  explicit SettingsKeySandbox(REGSAM view = 0, HKEY root = HKEY_LOCAL_MACHINE) : view_(view), root_(root) {
    UniqueRegKey key;
    if (::RegOpenKeyExW(root_, kSettingsSubkey, 0, KEY_READ | view_, key.Put()) == ERROR_SUCCESS) {
      DWORD type = REG_NONE;
      DWORD size = 0;
      if (::RegQueryValueExW(key.Get(), nullptr, nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
        std::string bytes(size, '\0');
        ::RegQueryValueExW(key.Get(), nullptr, nullptr, &type, reinterpret_cast<BYTE*>(bytes.data()), &size);
        saved_ = SavedValue{type, bytes.substr(0, size)};
      }
    }
    Remove();
  }
  ~SettingsKeySandbox() {
    Remove();
    if (saved_) Write(saved_->type, saved_->bytes);
  }
  SettingsKeySandbox(const SettingsKeySandbox&) = delete;
  SettingsKeySandbox& operator=(const SettingsKeySandbox&) = delete;

  // Creates the key, with the default value unless type is nothing.
  bool Write(std::optional<DWORD> type, const std::string& bytes = {}) {
    UniqueRegKey key;
    if (::RegCreateKeyExW(root_, kSettingsSubkey, 0, nullptr, 0, KEY_WRITE | view_, nullptr,
                          key.Put(), nullptr) != ERROR_SUCCESS) {
      return false;
    }
    if (!type) return true;
    return ::RegSetValueExW(key.Get(), nullptr, 0, *type, reinterpret_cast<const BYTE*>(bytes.data()),
                            static_cast<DWORD>(bytes.size())) == ERROR_SUCCESS;
  }

  bool ExistsIn(REGSAM view) const {
    UniqueRegKey key;
    return ::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kSettingsSubkey, 0, KEY_READ | view, key.Put()) == ERROR_SUCCESS;
  }

 private:
  void Remove() { ::RegDeleteKeyExW(root_, kSettingsSubkey, view_, 0); }

  REGSAM view_;
  HKEY root_;
  std::optional<SavedValue> saved_;
};

TEST(RegistrySettingsReaderTest, MissingKeyGivesEmptyUrl) {
  const SettingsKeySandbox sandbox;
  EXPECT_EQ(RegistrySettingsReader().ReadServiceBaseUrl(), u"");
}

TEST(RegistrySettingsReaderTest, KeyWithoutDefaultValueGivesEmptyUrl) {
  SettingsKeySandbox sandbox;
  ASSERT_TRUE(sandbox.Write(std::nullopt));
  // A named value is not the default value.
  UniqueRegKey key;
  ASSERT_EQ(::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kSettingsSubkey, 0, KEY_WRITE, key.Put()), ERROR_SUCCESS);
  const std::string named = Utf16Bytes(u"http://named.example");
  ASSERT_EQ(::RegSetValueExW(key.Get(), L"Url", 0, REG_SZ, reinterpret_cast<const BYTE*>(named.data()),
                             static_cast<DWORD>(named.size())),
            ERROR_SUCCESS);
  EXPECT_EQ(RegistrySettingsReader().ReadServiceBaseUrl(), u"");
}

struct ValueCase {
  const char* name;
  DWORD type;
  std::string bytes;
  std::u16string expected;
};

TEST(RegistrySettingsReaderTest, DefaultValueFollowsTheValueRules) {
  const std::u16string longUrl = u"http://127.0.0.1:8080/" + std::u16string(700, u'p');  // 1,444 bytes
  const std::u16string hugeUrl = u"https://comments.example/" + std::u16string(40000, u'q');
  const ValueCase cases[] = {
      {"plain REG_SZ", REG_SZ, Utf16Bytes(u"http://127.0.0.1:8080"), u"http://127.0.0.1:8080"},
      {"REG_SZ without terminator", REG_SZ, Utf16Bytes(u"https://x.example", false), u"https://x.example"},
      {"zero-length REG_SZ", REG_SZ, "", u""},
      {"zero-length REG_EXPAND_SZ", REG_EXPAND_SZ, "", u""},
      {"only a null", REG_SZ, Utf16Bytes(u""), u""},
      {"embedded null", REG_SZ, Utf16Bytes(std::u16string(u"http://a.example\0/tail", 22)), u"http://a.example"},
      {"over 1,000 bytes", REG_SZ, Utf16Bytes(longUrl), longUrl},
      {"far over 1,000 bytes", REG_SZ, Utf16Bytes(hugeUrl), hugeUrl},
      {"exactly 1,000 bytes", REG_SZ, Utf16Bytes(std::u16string(500, u'x'), false), std::u16string(500, u'x')},
      {"REG_EXPAND_SZ stays unexpanded", REG_EXPAND_SZ, Utf16Bytes(u"%SystemRoot%/x"), u"%SystemRoot%/x"},
      {"non-ASCII text", REG_SZ, Utf16Bytes(u"http://caf\u00e9.example"), u"http://caf\u00e9.example"},
      {"type not examined", REG_BINARY, Utf16Bytes(u"http://bin.example"), u"http://bin.example"},
  };
  for (const ValueCase& value : cases) {
    SCOPED_TRACE(value.name);
    SettingsKeySandbox sandbox;
    ASSERT_TRUE(sandbox.Write(value.type, value.bytes));
    EXPECT_EQ(RegistrySettingsReader().ReadServiceBaseUrl(), value.expected);
  }
}

TEST(RegistrySettingsReaderTest, KeyOnlyInTheOtherRegistryViewIsNotFound) {
  const SettingsKeySandbox native;
  SettingsKeySandbox other(kOtherRegistryView);
  ASSERT_TRUE(other.Write(REG_SZ, Utf16Bytes(u"http://other-view.example")));
  if (native.ExistsIn(kOwnRegistryView)) {
    GTEST_SKIP() << "this registry does not keep the 32-bit and 64-bit views apart";
  }
  ASSERT_TRUE(native.ExistsIn(kOtherRegistryView));
  EXPECT_EQ(RegistrySettingsReader().ReadServiceBaseUrl(), u"");
}

// A per-user installation sets the current user's value; the machine's value, where there is
// one, always wins.
TEST(RegistrySettingsReaderTest, CurrentUserValueCountsOnlyWithoutAMachineValue) {
  struct Case {
    const char* name;
    std::optional<std::u16string> machine;  // nothing: no key
    std::u16string expected;
  };
  const Case cases[] = {
      {"user only", std::nullopt, u"https://user.example"},
      {"machine wins", u"https://machine.example", u"https://machine.example"},
      {"empty machine value", u"", u"https://user.example"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SettingsKeySandbox machine;
    SettingsKeySandbox user(0, HKEY_CURRENT_USER);
    if (c.machine) {
      ASSERT_TRUE(machine.Write(REG_SZ, Utf16Bytes(*c.machine)));
    }
    ASSERT_TRUE(user.Write(REG_SZ, Utf16Bytes(u"https://user.example")));
    EXPECT_EQ(RegistrySettingsReader().ReadServiceBaseUrl(), c.expected);
  }
}

// The OfflineCopy value beside the base URL: only a DWORD 0 turns the copy off.
TEST(RegistrySettingsReaderTest, OfflineCopyIsOffOnlyForDwordZero) {
  const struct {
    std::optional<DWORD> type;  // nothing: no value
    std::string bytes;
    bool enabled;
  } cases[] = {
      {std::nullopt, "", true},
      {REG_DWORD, std::string("\0\0\0\0", 4), false},
      {REG_DWORD, std::string("\1\0\0\0", 4), true},
      {REG_DWORD, std::string("\2\0\0\0", 4), true},
      {REG_SZ, Utf16Bytes(u"0"), true},
      {REG_BINARY, std::string("\0\0\0\0", 4), true},
  };
  SettingsKeySandbox sandbox;
  EXPECT_TRUE(RegistrySettingsReader().ReadOfflineCopyEnabled());  // no key at all
  for (const auto& test : cases) {
    ASSERT_TRUE(sandbox.Write(std::nullopt));
    UniqueRegKey key;
    ASSERT_EQ(::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kSettingsSubkey, 0, KEY_WRITE, key.Put()), ERROR_SUCCESS);
    ::RegDeleteValueW(key.Get(), win::kOfflineCopyValueName);
    if (test.type) {
      ASSERT_EQ(::RegSetValueExW(key.Get(), win::kOfflineCopyValueName, 0, *test.type,
                                 reinterpret_cast<const BYTE*>(test.bytes.data()), static_cast<DWORD>(test.bytes.size())),
                ERROR_SUCCESS);
    }
    EXPECT_EQ(RegistrySettingsReader().ReadOfflineCopyEnabled(), test.enabled) << (test.type ? *test.type : 0);
  }
}

}  // namespace
}  // namespace quillbox::testing
