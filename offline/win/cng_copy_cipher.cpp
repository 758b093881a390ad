#include "offline/win/cng_copy_cipher.h"

#include <stdexcept>

#include "offline/sealed_copy.h"
#include "offline/win/bcrypt_handle.h"

namespace quillbox::win {
namespace {

constexpr ULONG kKeyBytes = 32;
constexpr ULONG kHashBytes = 32;
// Not in every SDK's headers: the status BCryptDecrypt answers for a tag that does not match.
constexpr NTSTATUS kAuthTagMismatch = static_cast<NTSTATUS>(0xC000A002L);

void Check(NTSTATUS status) {
  if (!BCRYPT_SUCCESS(status)) throw std::runtime_error("a CNG call failed");
}

PUCHAR Bytes(const std::string& text) { return reinterpret_cast<PUCHAR>(const_cast<char*>(text.data())); }
PUCHAR Bytes(std::string& text) { return reinterpret_cast<PUCHAR>(text.data()); }
ULONG Size(const std::string& text) {
  if (text.size() > 0x7FFFFFFF) throw std::runtime_error("too large for CNG");
  return static_cast<ULONG>(text.size());
}

UniqueBCryptAlgorithm OpenAlgorithm(const wchar_t* name, ULONG flags) {
  UniqueBCryptAlgorithm algorithm;
  Check(::BCryptOpenAlgorithmProvider(algorithm.Put(), name, nullptr, flags));
  return algorithm;
}

// An AES-256-GCM key; the key bytes must be kKeyBytes long.
UniqueBCryptKey GcmKey(const UniqueBCryptAlgorithm& aes, const std::string& key) {
  if (key.size() != kKeyBytes) throw std::runtime_error("not an AES-256 key");
  UniqueBCryptKey handle;
  Check(::BCryptGenerateSymmetricKey(aes.Get(), handle.Put(), nullptr, 0, Bytes(key), Size(key), 0));
  return handle;
}

UniqueBCryptAlgorithm OpenGcm() {
  UniqueBCryptAlgorithm aes = OpenAlgorithm(BCRYPT_AES_ALGORITHM, 0);
  Check(::BCryptSetProperty(aes.Get(), BCRYPT_CHAINING_MODE,
                            reinterpret_cast<PUCHAR>(const_cast<wchar_t*>(BCRYPT_CHAIN_MODE_GCM)),
                            sizeof(BCRYPT_CHAIN_MODE_GCM), 0));
  return aes;
}

BCRYPT_AUTHENTICATED_CIPHER_MODE_INFO GcmInfo(const std::string& nonce, const std::string& extraData, std::string& tag) {
  BCRYPT_AUTHENTICATED_CIPHER_MODE_INFO info;
  BCRYPT_INIT_AUTH_MODE_INFO(info);
  info.pbNonce = Bytes(nonce);
  info.cbNonce = Size(nonce);
  info.pbAuthData = Bytes(extraData);
  info.cbAuthData = Size(extraData);
  info.pbTag = Bytes(tag);
  info.cbTag = Size(tag);
  return info;
}

}  // namespace

std::string CngCopyCipher::RandomBytes(size_t count) {
  std::string bytes(count, '\0');
  Check(::BCryptGenRandom(nullptr, Bytes(bytes), Size(bytes), BCRYPT_USE_SYSTEM_PREFERRED_RNG));
  return bytes;
}

std::string CngCopyCipher::DeriveKey(const std::string& password, const std::string& salt, uint32_t iterations) {
  UniqueBCryptAlgorithm hmac = OpenAlgorithm(BCRYPT_SHA256_ALGORITHM, BCRYPT_ALG_HANDLE_HMAC_FLAG);
  std::string key(kKeyBytes, '\0');
  Check(::BCryptDeriveKeyPBKDF2(hmac.Get(), Bytes(password), Size(password), Bytes(salt), Size(salt), iterations,
                                Bytes(key), kKeyBytes, 0));
  return key;
}

std::string CngCopyCipher::Seal(const std::string& key, const std::string& nonce, const std::string& extraData,
                                const std::string& plain) {
  const UniqueBCryptAlgorithm aes = OpenGcm();
  const UniqueBCryptKey handle = GcmKey(aes, key);
  std::string tag(kCopyTagBytes, '\0');
  BCRYPT_AUTHENTICATED_CIPHER_MODE_INFO info = GcmInfo(nonce, extraData, tag);
  std::string sealed(plain.size(), '\0');
  ULONG written = 0;
  Check(::BCryptEncrypt(handle.Get(), Bytes(plain), Size(plain), &info, nullptr, 0, Bytes(sealed), Size(sealed),
                        &written, 0));
  sealed.resize(written);
  return sealed + tag;
}

std::optional<std::string> CngCopyCipher::Open(const std::string& key, const std::string& nonce,
                                               const std::string& extraData, const std::string& sealed) {
  if (sealed.size() < kCopyTagBytes) return std::nullopt;
  const UniqueBCryptAlgorithm aes = OpenGcm();
  const UniqueBCryptKey handle = GcmKey(aes, key);
  std::string cipherText = sealed.substr(0, sealed.size() - kCopyTagBytes);
  std::string tag = sealed.substr(cipherText.size());
  BCRYPT_AUTHENTICATED_CIPHER_MODE_INFO info = GcmInfo(nonce, extraData, tag);
  std::string plain(cipherText.size(), '\0');
  ULONG written = 0;
  const NTSTATUS status = ::BCryptDecrypt(handle.Get(), Bytes(cipherText), Size(cipherText), &info, nullptr, 0,
                                          Bytes(plain), Size(plain), &written, 0);
  if (status == kAuthTagMismatch) return std::nullopt;
  Check(status);
  plain.resize(written);
  return plain;
}

std::string CngCopyCipher::Hash(const std::string& bytes) {
  UniqueBCryptAlgorithm sha256 = OpenAlgorithm(BCRYPT_SHA256_ALGORITHM, 0);
  UniqueBCryptHash hash;
  Check(::BCryptCreateHash(sha256.Get(), hash.Put(), nullptr, 0, nullptr, 0, 0));
  Check(::BCryptHashData(hash.Get(), Bytes(bytes), Size(bytes), 0));
  std::string digest(kHashBytes, '\0');
  Check(::BCryptFinishHash(hash.Get(), Bytes(digest), kHashBytes, 0));
  return digest;
}

}  // namespace quillbox::win
