#pragma once
// Word's _Application as the stand-in offers it: Selection and ActiveWindow (the active
// window's) by name through IDispatch, and a connection point container with the one point for
// ApplicationEvents2.

#include <windows.h>

#include <oaidl.h>
#include <ocidl.h>

#include <memory>

#include "common/win/com_ptr.h"
#include "word-standin/host_state.h"
#include "word-standin/standin_connection_point.h"

namespace quillbox::standin {

class StandinApplication final : public IDispatch, public IConnectionPointContainer {
 public:
  // Adopt the first reference with ComPtr<StandinApplication>::Attach.
  static StandinApplication* Create(std::shared_ptr<HostState> state);

  STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override { return ++references_; }
  STDMETHODIMP_(ULONG) Release() override;

  STDMETHODIMP GetTypeInfoCount(UINT* count) override;
  STDMETHODIMP GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
  STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) override;
  STDMETHODIMP Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params, VARIANT* result,
                      EXCEPINFO* exception, UINT* argumentError) override;

  STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** points) override;
  STDMETHODIMP FindConnectionPoint(REFIID iid, IConnectionPoint** point) override;

  StandinConnectionPoint& Events() noexcept { return *events_.Get(); }
  ULONG References() const noexcept { return references_; }

 private:
  explicit StandinApplication(std::shared_ptr<HostState> state);
  ~StandinApplication() = default;

  ULONG references_ = 1;
  std::shared_ptr<HostState> state_;
  win::ComPtr<StandinConnectionPoint> events_;
};

}  // namespace quillbox::standin
