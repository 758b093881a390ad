#pragma once
// The cryptography the offline copy is locked with, as a port: Windows' CNG on the teacher's
// machine, a fake in the native tests. Keys, salts, nonces and hashes are byte strings.

#include <cstdint>
#include <optional>
#include <string>

namespace quillbox {

class CopyCipher {
 public:
  virtual ~CopyCipher() = default;
  // Cryptographically random bytes; throws when none can be had.
  virtual std::string RandomBytes(size_t count) = 0;
  // PBKDF2-HMAC-SHA256 of the password with the salt: a 32-byte key.
  virtual std::string DeriveKey(const std::string& password, const std::string& salt, uint32_t iterations) = 0;
  // AES-256-GCM: the ciphertext followed by the 16-byte tag over it and the extra data.
  virtual std::string Seal(const std::string& key, const std::string& nonce, const std::string& extraData,
                           const std::string& plain) = 0;
  // The plain text, or nothing when the tag does not match (another key, or changed bytes).
  virtual std::optional<std::string> Open(const std::string& key, const std::string& nonce,
                                          const std::string& extraData, const std::string& sealed) = 0;
  // SHA-256.
  virtual std::string Hash(const std::string& bytes) = 0;
};

}  // namespace quillbox
