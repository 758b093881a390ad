#pragma once

#include <cstdint>
#include <string>

namespace quillbox {

// Word's selection in the active document. Each call works on the selection as it is at that
// moment; a failure (no document, a refused edit) throws ComError.
class DocumentTarget {
 public:
  virtual ~DocumentTarget() = default;
  // Replaces the selected text (or inserts at the insertion point).
  virtual void SetSelectionText(const std::u16string& text) = 0;
  // The character position just after the selection.
  virtual int32_t GetSelectionEnd() = 0;
  // Moves the selection's start; set to the end it collapses to an insertion point.
  virtual void SetSelectionStart(int32_t position) = 0;
};

}  // namespace quillbox
