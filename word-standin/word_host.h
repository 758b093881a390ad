#pragma once
// The stand-in Word with its Office ribbon, driving one add-in object the way Word does:
// OnConnection with the application object, GetCustomUI, the onLoad callback with the ribbon
// object, OnStartupComplete; then the teacher's actions, after each of which the invalidated
// controls are read again; finally OnBeginShutdown and OnDisconnection. As Word 2013 and later,
// it keeps one top-level window per document, each with its own ribbon driving the one add-in
// object, and a modal dialog disables only the window that owns it.

#include <windows.h>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/win/com_ptr.h"
#include "word-standin/addin_dispatch.h"
#include "word-standin/dialog_teacher.h"
#include "word-standin/document_window.h"
#include "word-standin/host_state.h"
#include "word-standin/ribbon_view.h"
#include "word-standin/standin_application.h"
#include "word-standin/transcript.h"
#include "word-standin/watchdog.h"

namespace quillbox::standin {

// A callback fired from inside the modal loop of one of the add-in's dialogs, as when the
// teacher uses another window's ribbon while the dialog disables only its own owner.
struct DialogTrigger {
  std::wstring caption;      // the dialog's caption
  std::wstring description;  // for the transcript
  std::function<void()> action;
};

class WordHost {
 public:
  WordHost(win::ComPtr<IUnknown> addin, Transcript& out);
  ~WordHost();
  WordHost(const WordHost&) = delete;
  WordHost& operator=(const WordHost&) = delete;

  // Connection, ribbon load and start-up complete. Stops at the first failure, which is
  // reported and returned.
  HRESULT Start();
  // OnBeginShutdown and OnDisconnection (once; later calls do nothing).
  HRESULT Shutdown();

  // Connection calls on their own, for scripted reconnection.
  HRESULT Connect();
  HRESULT Disconnect();
  // Closing Word: OnBeginShutdown, OnDisconnection, then Word lets go of its last reference to
  // the add-in; what that Release answered is printed. Every later action is refused.
  HRESULT ReleaseAddin();

  // The teacher's actions on the active window's ribbon. While one runs, the add-in's dialogs
  // are answered (see DialogTeacher); afterwards what happened at them is printed and the
  // invalidated controls are read again in every window. An action on a window that a dialog
  // disables is refused, as Windows refuses the click.
  HRESULT Click(const std::wstring& id);
  HRESULT Toggle(const std::wstring& id);
  HRESULT Choose(const std::wstring& id, long item);
  HRESULT Type(const std::wstring& id, const std::wstring& text);
  // Word fires an application event at the add-in's sink; the sinks' results in order.
  std::vector<HRESULT> FireEvent(DISPID id);

  // Document windows, counted from 1. Window 1 exists from the start; OpenWindow opens the
  // next with an empty document and makes it active, and its ribbon's controls are read.
  long OpenWindow();
  // Makes a window the active one (its document is then the Selection's); false for no such
  // window.
  bool Activate(long index);
  long ActiveWindow() const noexcept { return static_cast<long>(active_) + 1; }
  long WindowCount() const noexcept { return static_cast<long>(windows_.size()); }
  HWND WindowHandle(long index) const;
  // The first window is shown in this frame: its Window.Hwnd is the frame's (its own window's
  // again when frame is null).
  void ShowFirstWindowIn(HWND frame);

  // From the next action on, trigger fires once, from inside the modal loop of the first
  // dialog of the add-in with its caption that shows on Word's thread. The dialog teacher
  // leaves that dialog alone until then.
  void During(DialogTrigger trigger);
  // Reports every trigger that never fired; false when there was one.
  bool ReportUnfiredTriggers();

  // The form of the actions' string and flag arguments; by reference unless the environment
  // variable QUILLBOX_STANDIN_ARGUMENTS says "by-value".
  void PassArguments(ArgumentForm form);
  ArgumentForm Arguments() const noexcept { return form_; }

  // Whether each action is watched for how long Word's window could not answer a message
  // (see ResponsivenessWatchdog); when watched, the figure is printed after the action.
  void WatchResponsiveness(bool watch) noexcept { watchResponsiveness_ = watch; }
  // The longest wait of the last watched action.
  std::optional<std::chrono::milliseconds> LongestUnanswered() const noexcept { return longestUnanswered_; }

  void PrintDocument();
  void PrintRibbon();
  // The invalidations since the last time they were printed.
  void PrintInvalidations();

  // When the onLoad callback returned (the end of the add-in's start-up), if it has.
  const std::optional<std::chrono::steady_clock::time_point>& RibbonLoadedAt() const noexcept {
    return ribbonLoadedAt_;
  }

  // Whether the dialog teacher answers the add-in's dialogs during the actions (the default);
  // off while a person at the window answers them.
  void AnswerDialogs(bool answer) noexcept { answerDialogs_ = answer; }

  HostState& State() noexcept { return *state_; }
  const std::shared_ptr<HostState>& SharedState() const noexcept { return state_; }
  DialogTeacher& Dialogs() noexcept { return dialogs_; }
  StandinApplication& Application() noexcept { return *application_.Get(); }
  // The active window's ribbon, or a given window's; null before the ribbon has loaded.
  RibbonView* View() noexcept { return View(ActiveWindow()); }
  RibbonView* View(long index) noexcept;

 private:
  HRESULT LoadRibbon();
  template <typename Action>
  HRESULT Act(Action&& action);
  void BeginOutermostAction(HWND window);
  void EndOutermostAction();
  void ShowInvalidated();
  void FireTriggers();
  void HoldTriggeredDialogs();
  static void CALLBACK TriggerTick(HWND window, UINT message, UINT_PTR timer, DWORD time);

  std::shared_ptr<HostState> state_ = std::make_shared<HostState>();
  Transcript& out_;
  win::ComPtr<IUnknown> addin_;
  win::ComPtr<StandinApplication> application_;
  win::ComPtr<IDispatch> addInInstance_;
  win::ComPtr<IDispatch> ribbonUi_;
  std::unique_ptr<AddinDispatch> callbacks_;
  std::optional<RibbonModel> model_;
  std::vector<std::unique_ptr<DocumentWindow>> windows_;
  size_t active_ = 0;
  DialogTeacher dialogs_;
  ResponsivenessWatchdog watchdog_;
  std::vector<DialogTrigger> triggers_;
  int actionDepth_ = 0;
  size_t invalidationsShown_ = 0;   // entries of the log already passed to the views
  size_t invalidationsPrinted_ = 0;  // entries of the log already printed
  bool connected_ = false;
  bool answerDialogs_ = true;
  bool watchResponsiveness_ = false;
  ArgumentForm form_ = ArgumentForm::kByReference;
  std::optional<std::chrono::milliseconds> longestUnanswered_;
  std::optional<std::chrono::steady_clock::time_point> ribbonLoadedAt_;
};

}  // namespace quillbox::standin
