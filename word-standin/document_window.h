#pragma once
// One of Word's document windows: a top-level window of its own (Word 2013 and later open one
// per document), Word's Window object for it, the add-in's ribbon as this window shows it (its
// own controls, whose Context is this window), and its document while another window is the
// active one. The window is not shown: a person sees the stand-in's frame instead (see
// standin_window.h), which stands for the first window and shows the active one's ribbon and
// document.

#include <windows.h>

#include <memory>

#include "common/win/com_ptr.h"
#include "common/win/unique_handle.h"
#include "word-standin/addin_dispatch.h"
#include "word-standin/ribbon_model.h"
#include "word-standin/ribbon_view.h"
#include "word-standin/standin_document.h"
#include "word-standin/standin_word_window.h"
#include "word-standin/transcript.h"

namespace quillbox::standin {

class DocumentWindow {
 public:
  // index counts from 1, as Word's Windows collection does.
  explicit DocumentWindow(long index);

  long Index() const noexcept { return index_; }
  // The handle Window.Hwnd gives: the window's own, or the frame that shows it.
  HWND Handle() const noexcept { return object_->Handle(); }
  // The window that stays this window's own even while a frame shows it.
  HWND OwnHandle() const noexcept { return window_.Get(); }
  // A frame shows the window from now on (its own window again when frame is null).
  void ShowIn(HWND frame) noexcept { object_->Show(frame ? frame : window_.Get()); }
  IDispatch* Object() const noexcept { return object_.Get(); }

  // The ribbon this window shows, once the add-in's ribbon has loaded.
  void ShowRibbon(const RibbonModel& model, AddinDispatch& addin, Transcript& out);
  RibbonView* View() noexcept { return view_.get(); }

  // The document while another window is active.
  StandinDocument parkedDocument;

 private:
  long index_;
  win::UniqueWindow window_;
  win::ComPtr<StandinWordWindow> object_;
  std::unique_ptr<RibbonView> view_;
};

}  // namespace quillbox::standin
