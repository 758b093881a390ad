#pragma once
// The stand-in Word with its Office ribbon, driving one add-in object the way Word does:
// OnConnection with the application object, GetCustomUI, the onLoad callback with the ribbon
// object, OnStartupComplete; then the teacher's actions, after each of which the invalidated
// controls are read again; finally OnBeginShutdown and OnDisconnection.

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/win/com_ptr.h"
#include "word-standin/addin_dispatch.h"
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

  // The teacher's actions on the ribbon (each followed by a refresh of what was invalidated).
  HRESULT Click(const std::wstring& id);
  HRESULT Toggle(const std::wstring& id);
  HRESULT Choose(const std::wstring& id, long item);
  HRESULT Type(const std::wstring& id, const std::wstring& text);
  // Word fires an application event at the add-in's sink; the sinks' results in order.
  std::vector<HRESULT> FireEvent(DISPID id);

  void PrintDocument();
  void PrintRibbon();
  // The invalidations since the last time they were printed.
  void PrintInvalidations();

  HostState& State() noexcept { return *state_; }
  StandinApplication& Application() noexcept { return *application_.Get(); }
  RibbonView* View() noexcept { return view_.get(); }

 private:
  HRESULT LoadRibbon();
  HRESULT AfterAction(HRESULT result);
  void ShowInvalidated();

  std::shared_ptr<HostState> state_ = std::make_shared<HostState>();
  Transcript& out_;
  win::ComPtr<IUnknown> addin_;
  win::ComPtr<StandinApplication> application_;
  win::ComPtr<IDispatch> addInInstance_;
  win::ComPtr<IDispatch> ribbonUi_;
  std::unique_ptr<AddinDispatch> callbacks_;
  std::unique_ptr<RibbonView> view_;
  size_t invalidationsShown_ = 0;   // entries of the log already passed to the view
  size_t invalidationsPrinted_ = 0;  // entries of the log already printed
  bool connected_ = false;
};

}  // namespace quillbox::standin
