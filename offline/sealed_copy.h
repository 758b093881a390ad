#pragma once
// The offline copy locked with the teacher's password. The bytes are a header, then the copy
// encrypted with AES-256-GCM under a key derived by PBKDF2-HMAC-SHA256 from the password and a
// random salt, then the tag:
//
//   "QBXCOPY\0"  version (u32)  iterations (u32)  salt (16)  nonce (12)  ciphertext  tag (16)
//
// The whole header is authenticated with the ciphertext, so a changed version, iteration
// count, salt or nonce is refused like a changed byte of the copy. Nothing in the file checks
// the password faster than the full derivation followed by the tag check.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "offline/copy_cipher.h"
#include "offline/offline_copy.h"

namespace quillbox {

constexpr uint32_t kSealedCopyVersion = 1;
constexpr uint32_t kCopyKeyIterations = 200000;
// A header asking for more work than this is not one the add-in wrote; it would only keep
// Word busy.
constexpr uint32_t kMaxCopyKeyIterations = 2000000;
constexpr size_t kCopySaltBytes = 16;
constexpr size_t kCopyNonceBytes = 12;
constexpr size_t kCopyTagBytes = 16;

// A key derived for writing, with the salt and iteration count it was derived with.
struct CopyKey {
  std::string key;
  std::string salt;
  uint32_t iterations = kCopyKeyIterations;
};

// The header fields and the sealed part, split without any cryptography.
struct SealedParts {
  uint32_t iterations = 0;
  std::string salt;
  std::string nonce;
  std::string header;  // the bytes authenticated with the ciphertext
  std::string sealed;  // ciphertext and tag
};

// The password as the key derivation takes it: UTF-8.
std::string PasswordBytes(const std::u16string& password);

// A new key with a fresh random salt: the full derivation, so it takes a noticeable time.
CopyKey NewCopyKey(const std::u16string& password, CopyCipher& cipher);

// The copy sealed with key under a fresh random nonce.
std::string SealCopy(const OfflineCopy& copy, const CopyKey& key, CopyCipher& cipher);

// The header checked for the magic, this version, an iteration count in range and room for
// the tag; nothing when anything is off.
std::optional<SealedParts> SplitSealedCopy(std::string_view bytes);

// The copy, or nothing when the bytes are not a sealed copy of this version, the password
// does not open it, or what it opens is not a well-formed copy.
std::optional<OfflineCopy> OpenSealedCopy(std::string_view bytes, const std::u16string& password,
                                          CopyCipher& cipher);

}  // namespace quillbox
