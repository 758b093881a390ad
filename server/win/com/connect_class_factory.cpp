#include "server/win/com/connect_class_factory.h"

#include <atomic>
#include <mutex>
#include <new>

#include "addin/win/connect.h"
#include "common/win/com_boundary.h"
#include "server/win/com/module_state.h"

namespace quillbox::win {
namespace {

class ConnectClassFactory final : public IClassFactory {
 public:
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
      *out = static_cast<IClassFactory*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  // The factory lives in the library's static storage, so a host that keeps a reference to it
  // keeps code of this library in use: every reference handed out locks the module until it
  // is released, and DllCanUnloadNow answers S_FALSE meanwhile. The count starts at the
  // library's own reference, which holds no lock.
  STDMETHODIMP_(ULONG) AddRef() override {
    LockModule();
    return ++references_;
  }
  STDMETHODIMP_(ULONG) Release() override {
    const ULONG left = --references_;
    UnlockModule();
    return left;
  }

  STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
    return ComBoundary([&]() -> HRESULT {
      if (!out) return E_POINTER;
      *out = nullptr;
      if (outer) return CLASS_E_NOAGGREGATION;
      return CConnect::Create(MakeWindowsShellPorts(), iid, out);
    });
  }

  STDMETHODIMP LockServer(BOOL lock) override {
    if (lock) {
      LockModule();
    } else {
      UnlockModule();
    }
    return S_OK;
  }

 private:
  std::atomic<ULONG> references_{1};
};

// The factory is built in static storage on the first request, so that it never needs freeing
// when the library is unloaded.
alignas(ConnectClassFactory) unsigned char factoryStorage[sizeof(ConnectClassFactory)];
std::atomic<ConnectClassFactory*> factory{nullptr};

ConnectClassFactory& TheFactory() {
  ConnectClassFactory* existing = factory.load(std::memory_order_acquire);
  if (existing) return *existing;
  std::lock_guard<ModuleMutex> guard(TheModuleMutex());
  existing = factory.load(std::memory_order_relaxed);
  if (!existing) {
    existing = new (factoryStorage) ConnectClassFactory();
    factory.store(existing, std::memory_order_release);
  }
  return *existing;
}

}  // namespace

HRESULT QueryConnectClassFactory(REFIID iid, void** out) noexcept {
  return ComBoundary([&] { return TheFactory().QueryInterface(iid, out); });
}

}  // namespace quillbox::win
