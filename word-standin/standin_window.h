#pragma once
// The stand-in Word as a window a person can use: the add-in's ribbon as a strip of controls
// along the top and the document pane below it, whose selection is Word's Selection. The
// add-in's own dialogs open modally over the window. A line along the bottom shows the
// supertip of the gallery item under the pointer, as Office shows it beside the item.
//
// A scripted drive can play the window as a teacher would, one script line per step (see
// session_script.h), with the dialog teacher answering the add-in's dialogs; two more commands
// belong to the window:
//   pause MS    the next step comes MS milliseconds later
//   close       the window closes, as when the teacher closes Word
//   hover ID N  the pointer rests on item N of gallery ID: its supertip is shown
// When the script has ended the window stays with the person, who answers dialogs themselves.

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "common/win/unique_handle.h"
#include "word-standin/document_pane.h"
#include "word-standin/ribbon_strip.h"
#include "word-standin/session_script.h"
#include "word-standin/transcript.h"
#include "word-standin/word_host.h"

namespace quillbox::standin {

class StandinWindow {
 public:
  // The host must have started (its ribbon is loaded).
  StandinWindow(WordHost& host, Transcript& out);
  ~StandinWindow();
  StandinWindow(const StandinWindow&) = delete;
  StandinWindow& operator=(const StandinWindow&) = delete;

  HWND Handle() const noexcept { return frame_.Get(); }
  RibbonStrip& Strip() noexcept { return *strip_; }
  DocumentPane& Pane() noexcept { return *pane_; }
  HWND TipLine() const noexcept { return tipLine_.Get(); }

  // Plays the script's lines, a step every stepMs milliseconds, once the message loop runs.
  void Drive(std::vector<std::wstring> lines, unsigned stepMs);
  // Runs the message loop until the window is closed. False when a script line was not
  // understood.
  bool Run();

 private:
  static LRESULT CALLBACK FrameProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void Layout();
  void Step();
  bool Hover(const std::wstring& line);
  // The item's picture, if it has one, shows beside the tip.
  void ShowTip(const std::wstring& galleryId, const std::wstring& tip, HICON icon = nullptr);

  WordHost& host_;
  Transcript& out_;
  win::UniqueGdiObject uiFont_;
  win::UniqueGdiObject documentFont_;
  win::UniqueWindow frame_;
  std::unique_ptr<RibbonStrip> strip_;
  std::unique_ptr<DocumentPane> pane_;
  win::UniqueWindow tipLine_;
  win::UniqueWindow tipPicture_;
  win::UniqueIcon tipIcon_;  // what tipPicture_ shows
  std::unique_ptr<SessionRunner> runner_;
  std::vector<std::wstring> lines_;
  size_t nextLine_ = 0;
  unsigned stepMs_ = 0;
  bool understood_ = true;
};

}  // namespace quillbox::standin
