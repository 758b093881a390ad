#pragma once
// The stand-in Word with its Office ribbon, driving one add-in object the way Word does:
// OnConnection with the application object, GetCustomUI, the onLoad callback with the ribbon
// object, OnStartupComplete; then the teacher's actions, after each of which the invalidated
// controls are read again; finally OnBeginShutdown and OnDisconnection.

#include <windows.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/win/com_ptr.h"
#include "word-standin/addin_dispatch.h"
#include "word-standin/dialog_teacher.h"
#include "word-standin/host_state.h"
#include "word-standin/ribbon_view.h"
#include "word-standin/standin_application.h"
#include "word-standin/transcript.h"

namespace quillbox::standin {

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

  // The teacher's actions on the ribbon. While one runs, the add-in's dialogs are answered
  // (see DialogTeacher); afterwards what happened at them is printed and the invalidated
  // controls are read again.
  HRESULT Click(const std::wstring& id);
  HRESULT Toggle(const std::wstring& id);
  HRESULT Choose(const std::wstring& id, long item);
  HRESULT Type(const std::wstring& id, const std::wstring& text);
  // Word fires an application event at the add-in's sink; the sinks' results in order.
  std::vector<HRESULT> FireEvent(DISPID id);

  void PrintDocument();
  void PrintRibbon(const std::wstring& ids = std::wstring());
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
  RibbonView* View() noexcept { return view_.get(); }

 private:
  HRESULT LoadRibbon();
  template <typename Action>
  HRESULT Act(Action&& action);
  void ShowInvalidated();

  std::shared_ptr<HostState> state_ = std::make_shared<HostState>();
  Transcript& out_;
  win::ComPtr<IUnknown> addin_;
  win::ComPtr<StandinApplication> application_;
  win::ComPtr<IDispatch> addInInstance_;
  win::ComPtr<IDispatch> ribbonUi_;
  std::unique_ptr<AddinDispatch> callbacks_;
  std::unique_ptr<RibbonView> view_;
  DialogTeacher dialogs_;
  size_t invalidationsShown_ = 0;   // entries of the log already passed to the view
  size_t invalidationsPrinted_ = 0;  // entries of the log already printed
  bool connected_ = false;
  bool answerDialogs_ = true;
  std::optional<std::chrono::steady_clock::time_point> ribbonLoadedAt_;
};

}  // namespace quillbox::standin
