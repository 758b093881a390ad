#include "offline/sealed_copy.h"

#include "common/text_utf.h"
#include "offline/byte_fields.h"

namespace quillbox {
namespace {

constexpr std::string_view kMagic{"QBXCOPY\0", 8};

std::string Header(uint32_t iterations, const std::string& salt, const std::string& nonce) {
  ByteWriter out;
  out.Bytes(kMagic);
  out.U32(kSealedCopyVersion);
  out.U32(iterations);
  out.Bytes(salt);
  out.Bytes(nonce);
  return out.Take();
}

}  // namespace

std::string PasswordBytes(const std::u16string& password) { return Utf16ToUtf8(password); }

CopyKey NewCopyKey(const std::u16string& password, CopyCipher& cipher) {
  CopyKey key;
  key.salt = cipher.RandomBytes(kCopySaltBytes);
  key.key = cipher.DeriveKey(PasswordBytes(password), key.salt, key.iterations);
  return key;
}

std::string SealCopy(const OfflineCopy& copy, const CopyKey& key, CopyCipher& cipher) {
  const std::string nonce = cipher.RandomBytes(kCopyNonceBytes);
  const std::string header = Header(key.iterations, key.salt, nonce);
  return header + cipher.Seal(key.key, nonce, header, SerialiseCopy(copy));
}

std::optional<SealedParts> SplitSealedCopy(std::string_view bytes) {
  ByteReader in(bytes);
  SealedParts parts;
  std::string magic;
  uint32_t version = 0;
  if (!in.Bytes(kMagic.size(), magic) || magic != kMagic) return std::nullopt;
  if (!in.U32(version) || version != kSealedCopyVersion) return std::nullopt;
  if (!in.U32(parts.iterations) || parts.iterations < kCopyKeyIterations ||
      parts.iterations > kMaxCopyKeyIterations) {
    return std::nullopt;
  }
  if (!in.Bytes(kCopySaltBytes, parts.salt) || !in.Bytes(kCopyNonceBytes, parts.nonce)) return std::nullopt;
  if (in.Left() < kCopyTagBytes) return std::nullopt;
  const size_t headerSize = bytes.size() - in.Left();
  parts.header.assign(bytes.substr(0, headerSize));
  parts.sealed.assign(bytes.substr(headerSize));
  return parts;
}

std::optional<OfflineCopy> OpenSealedCopy(std::string_view bytes, const std::u16string& password,
                                          CopyCipher& cipher) {
  const std::optional<SealedParts> parts = SplitSealedCopy(bytes);
  if (!parts) return std::nullopt;
  const std::string key = cipher.DeriveKey(PasswordBytes(password), parts->salt, parts->iterations);
  const std::optional<std::string> plain = cipher.Open(key, parts->nonce, parts->header, parts->sealed);
  if (!plain) return std::nullopt;
  return ParseCopy(*plain);
}

}  // namespace quillbox
