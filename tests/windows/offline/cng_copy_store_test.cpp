// The offline copy's Windows side under Wine: CNG gives the published PBKDF2-HMAC-SHA256 and
// AES-256-GCM answers and refuses a changed tag, and the store seals, protects, writes and
// reopens a copy in a real folder.

#include <windows.h>

#include <gtest/gtest.h>


#include "common/win/unique_handle.h"
#include "offline/sealed_copy_store.h"
#include "offline/win/cng_copy_cipher.h"
#include "offline/win/protected_copy_files.h"

namespace quillbox::testing {
namespace {

using win::CngCopyCipher;
using win::ProtectedCopyFiles;

std::string FromHex(const std::string& hex) {
  std::string bytes;
  for (size_t i = 0; i + 1 < hex.size(); i += 2) bytes.push_back(static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16)));
  return bytes;
}

TEST(CngCopyCipherTest, GivesThePublishedAnswers) {
  CngCopyCipher cipher;
  // RFC 7914, section 11: PBKDF2-HMAC-SHA256 of "passwd" with "salt", one iteration (first 32 bytes).
  EXPECT_EQ(cipher.DeriveKey("passwd", "salt", 1),
            FromHex("55ac046e56e3089fec1691c22544b605f94185216dde0465e68b9d57c20dacbc"));
  // The published GCM test cases 13 and 14: AES-256, zero key and nonce.
  const std::string key(32, '\0'), nonce(12, '\0');
  EXPECT_EQ(cipher.Seal(key, nonce, "", ""), FromHex("530f8afbc74536b9a963b4f1c4cb738b"));
  EXPECT_EQ(cipher.Seal(key, nonce, "", std::string(16, '\0')),
            FromHex("cea7403d4d606b6e074ec5d3baf39d18d0d1c8a799996bf0265b98b5d48ab919"));
  EXPECT_EQ(cipher.Hash("abc"), FromHex("ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"));
  EXPECT_NE(cipher.RandomBytes(16), cipher.RandomBytes(16));
}

TEST(CngCopyCipherTest, RefusesAnythingChanged) {
  CngCopyCipher cipher;
  const std::string key = cipher.RandomBytes(32), nonce = cipher.RandomBytes(12);
  const std::string sealed = cipher.Seal(key, nonce, "header", "the comments");
  EXPECT_EQ(cipher.Open(key, nonce, "header", sealed), "the comments");
  EXPECT_EQ(cipher.Open(key, nonce, "header", static_cast<char>(sealed[0] ^ 1) + sealed.substr(1)), std::nullopt);
  EXPECT_EQ(cipher.Open(key, nonce, "Header", sealed), std::nullopt);
  EXPECT_EQ(cipher.Open(cipher.RandomBytes(32), nonce, "header", sealed), std::nullopt);
}

class ProtectedStoreTest : public ::testing::Test {
 protected:
  ProtectedStoreTest() {
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    folder_ = std::wstring(temp) + L"quillbox-offline-test\\";
    files_ = std::make_unique<ProtectedCopyFiles>(cipher_, folder_);
    files_->RemoveAll();
  }
  ~ProtectedStoreTest() override { files_->RemoveAll(); }

  std::wstring PathOf(const std::u16string& email) {
    const std::string name = CopyFileName(email, cipher_);
    return folder_ + std::wstring(name.begin(), name.end());
  }

  CngCopyCipher cipher_;
  std::wstring folder_;
  std::unique_ptr<ProtectedCopyFiles> files_;
};

// Wrong passwords, damaged files and the file's contents are checked through the library by
// offline_session_test.sh; here the real files are found again by address and removed.
TEST_F(ProtectedStoreTest, KeepsOpensAndRemovesACopy) {
  SealedCopyStore store(cipher_, *files_);
  OfflineCopy copy;
  copy.subjects = {u"Art", u"Music"};
  CommentStore::AddCommentGroup(copy.entries[u"Music"], u"Singing", {u"# sings in tune."});
  store.StartAccount(u"Ada@School.example", u"pass word");
  store.Keep(u"ada@school.example", copy);

  const std::optional<OfflineCopy> opened = store.Open(u"ada@school.example", u"pass word");
  ASSERT_TRUE(opened);
  EXPECT_EQ(SerialiseCopy(*opened), SerialiseCopy(copy));
  store.Remove(u"ADA@school.example");
  EXPECT_EQ(::GetFileAttributesW(PathOf(u"ada@school.example").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(ProtectedStoreTest, RemovesCopiesOlderThanTheirTime) {
  files_->Write("old.copy", "old");
  files_->Write("new.copy", "new");
  FILETIME now{};
  ::GetSystemTimeAsFileTime(&now);
  ULARGE_INTEGER ticks{{now.dwLowDateTime, now.dwHighDateTime}};
  ticks.QuadPart -= 181ULL * 24 * 60 * 60 * 10000000;  // 181 days ago
  const FILETIME old{ticks.LowPart, ticks.HighPart};
  ASSERT_TRUE(::SetFileTime(win::UniqueFileHandle(::CreateFileW((folder_ + L"old.copy").c_str(), FILE_WRITE_ATTRIBUTES, 0,
                                                                nullptr, OPEN_EXISTING, 0, nullptr)).Get(),
                            nullptr, nullptr, &old));
  files_->RemoveOlderThan(kOfflineCopyMaxAgeDays);
  EXPECT_EQ(files_->Read("old.copy"), std::nullopt);
  EXPECT_EQ(files_->Read("new.copy"), "new");
  files_->RemoveAll();
  EXPECT_EQ(files_->Read("new.copy"), std::nullopt);
}

}  // namespace
}  // namespace quillbox::testing
