#pragma once
// The offline copy's cryptography through Windows' CNG (bcrypt.dll): the system random number
// generator, PBKDF2 with HMAC-SHA256, AES-256 in GCM mode and SHA-256. A failing call throws
// std::runtime_error; the store above treats it as "no copy".

#include "offline/copy_cipher.h"

namespace quillbox::win {

class CngCopyCipher : public CopyCipher {
 public:
  std::string RandomBytes(size_t count) override;
  std::string DeriveKey(const std::string& password, const std::string& salt, uint32_t iterations) override;
  std::string Seal(const std::string& key, const std::string& nonce, const std::string& extraData,
                   const std::string& plain) override;
  std::optional<std::string> Open(const std::string& key, const std::string& nonce, const std::string& extraData,
                                  const std::string& sealed) override;
  std::string Hash(const std::string& bytes) override;
};

}  // namespace quillbox::win
