#pragma once
// The active document as the stand-in Word keeps it: its text and the selection [start, end),
// counted in UTF-16 code units as Word counts character positions.

#include <string>
#include <string_view>

namespace quillbox::standin {

class StandinDocument {
 public:
  const std::wstring& Text() const noexcept { return text_; }
  long Start() const noexcept { return start_; }
  long End() const noexcept { return end_; }
  std::wstring SelectedText() const { return text_.substr(start_, end_ - start_); }

  // Selection.Text put: the selected stretch (or nothing, at an insertion point) is replaced;
  // the selection then spans the new text.
  void ReplaceSelection(std::wstring_view text);
  // Selection.Start put: positions are kept inside the document; a start beyond the end
  // moves the end along.
  void SetStart(long position);
  // Selection.End put: an end before the start moves the start along.
  void SetEnd(long position);
  void Select(long start, long end);
  // The whole document at once: text and selection, as a view that owns them reports them.
  void Assign(std::wstring text, long start, long end);

  // A protected or read-only document: Word refuses to change its text.
  bool Locked() const noexcept { return locked_; }
  void Lock(bool locked) noexcept { locked_ = locked; }

 private:
  long Clamp(long position) const noexcept;

  std::wstring text_;
  long start_ = 0;
  long end_ = 0;
  bool locked_ = false;
};

// A view that owns the document's text while it is attached (the window's document pane, which
// the teacher types into): the document is loaded from it before the add-in reads the selection
// and shown in it again after the add-in has changed it.
class DocumentMirror {
 public:
  virtual ~DocumentMirror() = default;
  virtual void LoadInto(StandinDocument& document) = 0;
  virtual void ShowFrom(const StandinDocument& document) = 0;
};

}  // namespace quillbox::standin
