#pragma once
// The connection point for Word's application events (ApplicationEvents2) on the stand-in
// application: Advise hands out cookies from 1 upwards, Unadvise takes them back, and events
// can be fired at every connected sink.

#include <windows.h>

#include <ocidl.h>

#include <utility>
#include <vector>

#include "common/win/com_ptr.h"
#include "word-standin/com_object.h"

namespace quillbox::standin {

class StandinConnectionPoint final : public ComObject<IConnectionPoint> {
 public:
  // container is the application that owns this point; it is not referenced (it owns us).
  explicit StandinConnectionPoint(IConnectionPointContainer& container) : container_(container) {}

  STDMETHODIMP GetConnectionInterface(IID* iid) override;
  STDMETHODIMP GetConnectionPointContainer(IConnectionPointContainer** container) override;
  STDMETHODIMP Advise(IUnknown* sink, DWORD* cookie) override;
  STDMETHODIMP Unadvise(DWORD cookie) override;
  STDMETHODIMP EnumConnections(IEnumConnections** connections) override;

  size_t ConnectionCount() const noexcept { return sinks_.size(); }
  // The connected sinks with their cookies, in the order they were advised.
  const std::vector<std::pair<DWORD, win::ComPtr<IDispatch>>>& Sinks() const noexcept { return sinks_; }
  // Invokes the event id on every connected sink, without arguments; their results in order.
  std::vector<HRESULT> Fire(DISPID id);

 protected:
  bool Answers(REFIID iid) const override { return IsEqualIID(iid, IID_IConnectionPoint); }

 private:
  IConnectionPointContainer& container_;
  std::vector<std::pair<DWORD, win::ComPtr<IDispatch>>> sinks_;
  DWORD nextCookie_ = 1;
};

}  // namespace quillbox::standin
