#pragma once
// The sealed copies as files under %LOCALAPPDATA%\Slatewood\QuillboxAddIn\offline, each
// protected for the Windows user with DPAPI (CryptProtectData, user scope), so that another
// user of the computer cannot even reach the sealed bytes. A file is written to a temporary
// name first and then renamed over the old one: a crash or a full disk leaves the last copy.

#include <string>

#include "offline/copy_files.h"

namespace quillbox::win {

// The folder, with a trailing backslash; empty when the user has no local application data.
std::wstring OfflineCopyFolder();

class ProtectedCopyFiles : public CopyFiles {
 public:
  ProtectedCopyFiles() : folder_(OfflineCopyFolder()) {}
  explicit ProtectedCopyFiles(std::wstring folder) : folder_(std::move(folder)) {}

  std::optional<std::string> Read(const std::string& name) override;
  void Write(const std::string& name, const std::string& bytes) override;
  void Remove(const std::string& name) override;
  void RemoveAll() override;
  void RemoveOlderThan(int maxAgeDays) override;

 private:
  std::wstring folder_;
};

}  // namespace quillbox::win
