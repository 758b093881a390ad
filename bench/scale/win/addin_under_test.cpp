#include "bench/scale/win/addin_under_test.h"

#include <oleauto.h>

#include <stdexcept>

#include "bench/scale/win/stopwatch.h"
#include "common/win/bstr.h"
#include "office_interfaces.h"
#include "quillbox_addin.h"
#include "word-standin/standin_addin_instance.h"
#include "word-standin/standin_application.h"
#include "word-standin/standin_ribbon_ui.h"

namespace quillbox::bench {
namespace {

// Word hands every connection call an empty custom array.
class EmptyCustomArray {
 public:
  EmptyCustomArray() : array_(::SafeArrayCreateVector(VT_VARIANT, 0, 0)) {}
  ~EmptyCustomArray() { ::SafeArrayDestroy(array_); }
  EmptyCustomArray(const EmptyCustomArray&) = delete;
  EmptyCustomArray& operator=(const EmptyCustomArray&) = delete;
  SAFEARRAY** Get() noexcept { return &array_; }

 private:
  SAFEARRAY* array_;
};

void Check(HRESULT result, const char* step) {
  if (FAILED(result)) throw std::runtime_error(std::string(step) + " failed");
}

}  // namespace

AddinUnderTest::AddinUnderTest(const std::wstring& libraryPath, LoadPhasesMs& phases)
    : state_(std::make_shared<standin::HostState>()) {
  application_ = win::ComPtr<IDispatch>::Attach(standin::StandinApplication::Create(state_));
  addInInstance_ = win::ComPtr<IDispatch>::Attach(new standin::StandinAddInInstance());
  ribbonUi_ = win::ComPtr<IDispatch>::Attach(new standin::StandinRibbonUi(state_));

  double mark = NowMs();
  const auto lap = [&mark](double& phase) {
    const double now = NowMs();
    phase = now - mark;
    mark = now;
  };

  library_ = ::LoadLibraryW(libraryPath.c_str());
  if (!library_) throw std::runtime_error("LoadLibrary of the add-in failed");
  lap(phases.loadLibrary);

  using GetClassObject = HRESULT(__stdcall*)(REFCLSID, REFIID, void**);
  const auto getClassObject = reinterpret_cast<GetClassObject>(
      reinterpret_cast<void (*)()>(::GetProcAddress(library_, "DllGetClassObject")));
  if (!getClassObject) throw std::runtime_error("the add-in exports no DllGetClassObject");
  win::ComPtr<IClassFactory> factory;
  Check(getClassObject(CLSID_Connect, IID_IClassFactory, factory.PutVoid()), "DllGetClassObject");
  Check(factory->CreateInstance(nullptr, IID_IUnknown, object_.PutVoid()), "CreateInstance");
  lap(phases.createObject);

  win::ComPtr<_IDTExtensibility2> extensibility;
  Check(object_.As(IID__IDTExtensibility2, extensibility), "QueryInterface(_IDTExtensibility2)");
  EmptyCustomArray custom;
  Check(extensibility->OnConnection(application_.Get(), ext_cm_Startup, addInInstance_.Get(), custom.Get()),
        "OnConnection");
  connected_ = true;
  lap(phases.onConnection);

  win::ComPtr<IRibbonExtensibility> ribbonSource;
  Check(object_.As(IID_IRibbonExtensibility, ribbonSource), "QueryInterface(IRibbonExtensibility)");
  win::UniqueBstr ribbonId = win::UniqueBstr::FromWide(L"Microsoft.Word.Document");
  win::UniqueBstr xml;
  Check(ribbonSource->GetCustomUI(ribbonId.Get(), xml.Put()), "GetCustomUI");
  lap(phases.getCustomUi);

  Check(object_.As(IID_IDispatch, dispatch_), "QueryInterface(IDispatch)");
  callbacks_ = std::make_unique<CallbackCaller>(dispatch_.Get());
  PreparedCall ribbonLoaded = callbacks_->Prepare(L"RibbonLoaded", {DispatchArgument(ribbonUi_.Get())});
  lap(phases.lookUpOnLoad);

  Check(callbacks_->Call(ribbonLoaded), "RibbonLoaded");
  lap(phases.ribbonLoaded);
}

AddinUnderTest::~AddinUnderTest() {
  if (connected_) {
    win::ComPtr<_IDTExtensibility2> extensibility;
    if (SUCCEEDED(object_.As(IID__IDTExtensibility2, extensibility))) {
      EmptyCustomArray custom;
      extensibility->OnBeginShutdown(custom.Get());
      extensibility->OnDisconnection(ext_dm_HostShutdown, custom.Get());
    }
  }
  callbacks_.reset();
  dispatch_.Reset();
  object_.Reset();
  // The library stays loaded, as it does in Word until Word exits: a later object in the
  // same process then measures a warm start.
}

}  // namespace quillbox::bench
