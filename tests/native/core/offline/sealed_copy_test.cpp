// The offline copy's bytes and the sealed file around them: what is written opens again
// unchanged, and every cut, flipped bit or foreign header is refused.

#include <gtest/gtest.h>

#include "offline/sealed_copy_store.h"
#include "offline_fakes.h"

namespace quillbox {
namespace {

using testing::FakeCopyCipher;
using testing::MemoryCopyFiles;

OfflineCopy SmallCopy() {
  OfflineCopy copy;
  copy.savedAt = 1765200000;
  copy.subjects = {u"Art", u"Fran\u00e7ais", u"Music"};
  SubjectEntry& art = copy.entries[u"Art"];
  CommentStore::AddCommentGroup(art, u"Effort", {u"# tries hard.", u"\U0001F3A8 ^ paints."});
  CommentStore::AddCommentGroup(art, u"Effort", {u"ignored: the first list stays"});
  CommentStore::AddCommentGroup(copy.entries[u"Fran\u00e7ais"], u"", {});
  return copy;
}

// Parsing loses nothing when what it gives serialises to the same bytes.
std::string BytesOf(const std::optional<OfflineCopy>& copy) { return copy ? SerialiseCopy(*copy) : "(none)"; }

TEST(SealedCopy, RoundTripsThroughBytesAndSealing) {
  FakeCopyCipher cipher;
  const OfflineCopy copy = SmallCopy();
  const std::string bytes = SerialiseCopy(copy);
  EXPECT_EQ(BytesOf(ParseCopy(bytes)), bytes);
  EXPECT_EQ(ParseCopy(bytes)->entries.at(u"Art").commentsByGroupName.at(u"Effort").size(), 2u);

  const CopyKey key = NewCopyKey(u"p\u00e4ss", cipher);
  EXPECT_EQ(key.iterations, 200000u);
  const std::string sealed = SealCopy(copy, key, cipher);
  EXPECT_EQ(BytesOf(OpenSealedCopy(sealed, u"p\u00e4ss", cipher)), bytes);
  EXPECT_EQ(OpenSealedCopy(sealed, u"pass", cipher), std::nullopt);
  // Each seal draws a fresh nonce under the same key.
  EXPECT_NE(SealCopy(copy, key, cipher), sealed);
}

TEST(SealedCopy, RefusesEveryCutAndEveryFlippedBit) {
  FakeCopyCipher cipher;
  const OfflineCopy copy = SmallCopy();
  const std::string plain = SerialiseCopy(copy);
  const std::string sealed = SealCopy(copy, NewCopyKey(u"pw", cipher), cipher);
  for (size_t size = 0; size < plain.size(); ++size) EXPECT_EQ(ParseCopy(plain.substr(0, size)), std::nullopt) << size;
  EXPECT_EQ(ParseCopy(plain + '\0'), std::nullopt);
  for (size_t size = 0; size < sealed.size(); ++size) {
    EXPECT_EQ(OpenSealedCopy(sealed.substr(0, size), u"pw", cipher), std::nullopt) << size;
  }
  for (size_t at = 0; at < sealed.size(); ++at) {
    std::string flipped = sealed;
    flipped[at] = static_cast<char>(flipped[at] ^ (1 << (at % 8)));
    EXPECT_EQ(OpenSealedCopy(flipped, u"pw", cipher), std::nullopt) << at;
  }
}

TEST(SealedCopy, RefusesForeignHeadersBeforeAnyDerivation) {
  FakeCopyCipher cipher;
  const std::string sealed = SealCopy(SmallCopy(), NewCopyKey(u"pw", cipher), cipher);
  auto withU32 = [&](size_t offset, uint32_t value) {
    std::string bytes = sealed;
    for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<char>(value >> (8 * i));
    return bytes;
  };
  const struct {
    const char* what;
    std::string bytes;
  } foreign[] = {
      {"another version", withU32(8, 2)},
      {"version 0", withU32(8, 0)},
      {"too few iterations", withU32(12, 199999)},
      {"too many iterations", withU32(12, 2000001)},
      {"another magic", "QBXCOPZ" + sealed.substr(7)},
  };
  for (const auto& test : foreign) {
    EXPECT_EQ(SplitSealedCopy(test.bytes), std::nullopt) << test.what;
    const int before = cipher.derivations;
    EXPECT_EQ(OpenSealedCopy(test.bytes, u"pw", cipher), std::nullopt) << test.what;
    EXPECT_EQ(cipher.derivations, before) << test.what;
  }
  // Another salt derives another key, which the tag refuses.
  std::string otherSalt = sealed;
  otherSalt[16] = static_cast<char>(otherSalt[16] + 1);
  ASSERT_TRUE(SplitSealedCopy(otherSalt));
  EXPECT_EQ(OpenSealedCopy(otherSalt, u"pw", cipher), std::nullopt);
}

TEST(SealedCopyStore, DerivesOncePerLoginAndNamesFilesFromTheAddressHash) {
  FakeCopyCipher cipher;
  MemoryCopyFiles files;
  SealedCopyStore store(cipher, files);
  store.Keep(u"ada@school.example", SmallCopy());
  EXPECT_TRUE(files.files.empty());  // no key before a login

  store.StartAccount(u"Ada@School.Example", u"pw");
  store.Keep(u"ada@school.example", SmallCopy());
  store.Keep(u"bea@school.example", SmallCopy());  // never under another account's key
  store.Keep(u"ada@school.example", SmallCopy());
  EXPECT_EQ(cipher.derivations, 1);
  ASSERT_EQ(files.files.size(), 1u);
  const auto& [name, bytes] = *files.files.begin();
  EXPECT_EQ(name, CopyFileName(u"ada@school.example", cipher));
  EXPECT_EQ(name.size(), 64u + 5u);
  EXPECT_EQ(name.find("ada"), std::string::npos);
  EXPECT_EQ(bytes.find("pw"), std::string::npos);

  EXPECT_TRUE(store.Open(u"ADA@school.example", u"pw"));
  EXPECT_EQ(store.Open(u"ada@school.example", u"wp"), std::nullopt);
  EXPECT_EQ(store.Open(u"bea@school.example", u"pw"), std::nullopt);

  store.RemoveExpired();
  EXPECT_EQ(files.removedOlderThan, 180);
  store.Remove(u"ada@school.example");
  EXPECT_TRUE(files.files.empty());
  store.Keep(u"ada@school.example", SmallCopy());
  EXPECT_TRUE(files.files.empty());  // the key went with the copy
}

}  // namespace
}  // namespace quillbox
