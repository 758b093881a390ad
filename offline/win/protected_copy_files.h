#pragma once
// The sealed copies as files under %LOCALAPPDATA%\Slatewood\QuillboxAddIn\offline, each
// protected for the Windows user with DPAPI (CryptProtectData, user scope), so that another
// user of the computer cannot even reach the sealed bytes. DPAPI protects a fresh random
// 256-bit key per file, and that key encrypts the sealed bytes with AES-256-GCM: DPAPI is made
// for small secrets and is slow over megabytes (Wine's takes longer for a big bank than the
// whole write may), while the file is still only readable by the user that DPAPI names.
//
//   protected key length (u32)  protected key  nonce (12)  encrypted sealed bytes  tag (16)
//
// A file is written to a temporary name first and then renamed over the old one: a crash or
// a full disk leaves the last copy.

#include <string>

#include "offline/copy_cipher.h"
#include "offline/copy_files.h"

namespace quillbox::win {

// The folder, with a trailing backslash; empty when the user has no local application data.
std::wstring OfflineCopyFolder();

class ProtectedCopyFiles : public CopyFiles {
 public:
  explicit ProtectedCopyFiles(CopyCipher& cipher) : cipher_(cipher), folder_(OfflineCopyFolder()) {}
  ProtectedCopyFiles(CopyCipher& cipher, std::wstring folder) : cipher_(cipher), folder_(std::move(folder)) {}

  std::optional<std::string> Read(const std::string& name) override;
  void Write(const std::string& name, const std::string& bytes) override;
  void Remove(const std::string& name) override;
  void RemoveAll() override;
  void RemoveOlderThan(int maxAgeDays) override;

 private:
  std::string Protect(const std::string& bytes);
  std::optional<std::string> Unprotect(const std::string& stored);

  CopyCipher& cipher_;
  std::wstring folder_;
};

}  // namespace quillbox::win
