#pragma once
// The offline copy store on top of the cipher and the files: each account's copy is sealed
// with a key derived from its password and kept in a file named from a hash of its e-mail
// address, so the address itself is never written.

#include <functional>
#include <mutex>
#include <optional>
#include <string>

#include "offline/copy_cipher.h"
#include "offline/copy_files.h"
#include "offline/offline_copy_store.h"
#include "offline/sealed_copy.h"

namespace quillbox {

// The file name for an account: the hex SHA-256 of the address in lower case, and ".copy".
std::string CopyFileName(const std::u16string& email, CopyCipher& cipher);

class SealedCopyStore : public OfflineCopyStore {
 public:
  SealedCopyStore(CopyCipher& cipher, CopyFiles& files) : cipher_(cipher), files_(files) {}

  void StartAccount(const std::u16string& email, const std::u16string& password) override;
  void Keep(const std::u16string& email, const OfflineCopy& copy) override;
  std::optional<OfflineCopy> Open(const std::u16string& email, const std::u16string& password) override;
  void Remove(const std::u16string& email) override;
  void RemoveAll() override;
  void RemoveExpired() override;

 private:
  CopyCipher& cipher_;
  CopyFiles& files_;
  // Set by StartAccount on the worker, read by Keep and cleared by Remove on Word's thread.
  std::mutex lock_;
  std::string fileName_;
  std::optional<CopyKey> key_;
};

}  // namespace quillbox
