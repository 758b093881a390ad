#pragma once
// QuillboxAddIn.dll started the way Word starts it, with the stand-in Word's application and
// ribbon objects, each step timed: LoadLibrary, DllGetClassObject with CreateInstance,
// OnConnection, GetCustomUI, the name lookup of the onLoad callback (where the type library
// is loaded) and the onLoad callback RibbonLoaded itself (where the registry is read).

#include <windows.h>

#include <memory>
#include <string>

#include "bench/scale/win/callback_caller.h"
#include "common/win/com_ptr.h"
#include "word-standin/host_state.h"

namespace quillbox::bench {

struct LoadPhasesMs {
  double loadLibrary = 0;
  double createObject = 0;
  double onConnection = 0;
  double getCustomUi = 0;
  double lookUpOnLoad = 0;
  double ribbonLoaded = 0;

  double Total() const {
    return loadLibrary + createObject + onConnection + getCustomUi + lookUpOnLoad + ribbonLoaded;
  }
};

class AddinUnderTest {
 public:
  // Throws std::runtime_error, naming the step, when a step fails.
  AddinUnderTest(const std::wstring& libraryPath, LoadPhasesMs& phases);
  // OnBeginShutdown and OnDisconnection, then the object is released.
  ~AddinUnderTest();
  AddinUnderTest(const AddinUnderTest&) = delete;
  AddinUnderTest& operator=(const AddinUnderTest&) = delete;

  const CallbackCaller& Callbacks() const { return *callbacks_; }
  // The stand-in IRibbonUI handed to RibbonLoaded, also passed to LogIn as Office does.
  IDispatch* Ribbon() const { return ribbonUi_.Get(); }
  standin::HostState& Host() { return *state_; }

 private:
  HMODULE library_ = nullptr;
  std::shared_ptr<standin::HostState> state_;
  win::ComPtr<IUnknown> object_;
  win::ComPtr<IDispatch> dispatch_;
  win::ComPtr<IDispatch> application_;
  win::ComPtr<IDispatch> addInInstance_;
  win::ComPtr<IDispatch> ribbonUi_;
  std::unique_ptr<CallbackCaller> callbacks_;
  bool connected_ = false;
};

}  // namespace quillbox::bench
