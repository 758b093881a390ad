#pragma once
// The files that hold the sealed copies, by name: on Windows, protected for the Windows user
// with DPAPI and written atomically under the user's local application data.

#include <optional>
#include <string>

namespace quillbox {

class CopyFiles {
 public:
  virtual ~CopyFiles() = default;
  // The file's bytes as they were given to Write, or nothing when it is missing or does not
  // unprotect.
  virtual std::optional<std::string> Read(const std::string& name) = 0;
  // Replaces the file whole, or leaves the old one as it was.
  virtual void Write(const std::string& name, const std::string& bytes) = 0;
  virtual void Remove(const std::string& name) = 0;
  virtual void RemoveAll() = 0;
  // Removes the files last written more than maxAgeDays ago.
  virtual void RemoveOlderThan(int maxAgeDays) = 0;
};

}  // namespace quillbox
