#include "offline/sealed_copy_store.h"

#include <exception>

#include "common/text_utf.h"

namespace quillbox {
namespace {

std::string Hex(const std::string& bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string hex;
  for (unsigned char byte : bytes) {
    hex.push_back(kDigits[byte >> 4]);
    hex.push_back(kDigits[byte & 0xF]);
  }
  return hex;
}

// Addresses differ in case only as typed, so the same account always finds its copy.
std::u16string LowerAscii(std::u16string text) {
  for (char16_t& unit : text) {
    if (unit >= u'A' && unit <= u'Z') unit = static_cast<char16_t>(unit - u'A' + u'a');
  }
  return text;
}

}  // namespace

std::string CopyFileName(const std::u16string& email, CopyCipher& cipher) {
  return Hex(cipher.Hash(Utf16ToUtf8(LowerAscii(email)))) + ".copy";
}

// A copy that cannot be made (no random bytes, no disk) is simply not kept: the add-in works
// online as before, so the failure is swallowed here rather than shown to the teacher.
void SealedCopyStore::StartAccount(const std::u16string& email, const std::u16string& password) {
  try {
    std::string name = CopyFileName(email, cipher_);
    CopyKey key = NewCopyKey(password, cipher_);
    std::lock_guard<std::mutex> guard(lock_);
    fileName_ = std::move(name);
    key_ = std::move(key);
  } catch (const std::exception&) {
    std::lock_guard<std::mutex> guard(lock_);
    key_.reset();
  }
}

void SealedCopyStore::Keep(const std::u16string& email, const OfflineCopy& copy) {
  try {
    const std::string name = CopyFileName(email, cipher_);
    std::unique_lock<std::mutex> guard(lock_);
    if (!key_ || name != fileName_) return;
    const CopyKey key = *key_;
    guard.unlock();
    files_.Write(name, SealCopy(copy, key, cipher_));
  } catch (const std::exception&) {
  }
}

std::optional<OfflineCopy> SealedCopyStore::Open(const std::u16string& email, const std::u16string& password) {
  try {
    const std::optional<std::string> bytes = files_.Read(CopyFileName(email, cipher_));
    if (!bytes) return std::nullopt;
    return OpenSealedCopy(*bytes, password, cipher_);
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

void SealedCopyStore::Remove(const std::u16string& email) {
  try {
    const std::string name = CopyFileName(email, cipher_);
    {
      std::lock_guard<std::mutex> guard(lock_);
      if (name == fileName_) key_.reset();
    }
    files_.Remove(name);
  } catch (const std::exception&) {
  }
}

void SealedCopyStore::RemoveAll() {
  {
    std::lock_guard<std::mutex> guard(lock_);
    key_.reset();
  }
  try {
    files_.RemoveAll();
  } catch (const std::exception&) {
  }
}

void SealedCopyStore::RemoveExpired() {
  try {
    files_.RemoveOlderThan(kOfflineCopyMaxAgeDays);
  } catch (const std::exception&) {
  }
}

}  // namespace quillbox
