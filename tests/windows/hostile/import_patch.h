#pragma once
// Replaces a function that this program imports from a system library, for as long as the
// patch lives. The add-in's code is linked into the test program, so its calls to the system
// go through the program's import table: a patched entry lets a test make the system fail
// (a BSTR that cannot be allocated) or watch what the add-in hands it (ShellExecuteW).

#include <windows.h>

namespace quillbox::testing {

class ImportPatch {
 public:
  // Points the program's import of function from library at replacement. Throws when the
  // program does not import it.
  ImportPatch(const char* library, const char* function, void* replacement);
  ~ImportPatch();
  ImportPatch(const ImportPatch&) = delete;
  ImportPatch& operator=(const ImportPatch&) = delete;

  // The function the import pointed at before.
  void* Original() const noexcept { return original_; }

 private:
  void** slot_ = nullptr;
  void* original_ = nullptr;
};

}  // namespace quillbox::testing
