#pragma once
// The window's document pane: a multi-line edit control that the teacher types into and whose
// selection is Word's Selection. While attached to the host state it owns the document: the
// add-in's Selection calls load the text and selection from the control and show their changes
// in it at once.

#include <windows.h>

#include <memory>
#include <string>

#include "common/win/unique_handle.h"
#include "word-standin/host_state.h"

namespace quillbox::standin {

class DocumentPane final : public DocumentMirror {
 public:
  DocumentPane(HWND parent, int controlId, HFONT font, std::shared_ptr<HostState> state);
  ~DocumentPane() override;
  DocumentPane(const DocumentPane&) = delete;
  DocumentPane& operator=(const DocumentPane&) = delete;

  HWND Handle() const noexcept { return edit_.Get(); }

  void LoadInto(StandinDocument& document) override;
  void ShowFrom(const StandinDocument& document) override;

 private:
  std::shared_ptr<HostState> state_;
  win::UniqueWindow edit_;
};

}  // namespace quillbox::standin
