#include "word-standin/standin_connection_point.h"

#include <olectl.h>

#include <algorithm>

#include "server/win/com/word_ids.h"

namespace quillbox::standin {

STDMETHODIMP StandinConnectionPoint::GetConnectionInterface(IID* iid) {
  if (!iid) return E_POINTER;
  *iid = win::DIID_ApplicationEvents2;
  return S_OK;
}

STDMETHODIMP StandinConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** container) {
  if (!container) return E_POINTER;
  *container = &container_;
  container_.AddRef();
  return S_OK;
}

// Like Word, the sink must answer the event interface itself.
STDMETHODIMP StandinConnectionPoint::Advise(IUnknown* sink, DWORD* cookie) {
  if (!cookie) return E_POINTER;
  *cookie = 0;
  if (!sink) return E_POINTER;
  win::ComPtr<IDispatch> events;
  if (FAILED(sink->QueryInterface(win::DIID_ApplicationEvents2, events.PutVoid()))) return CONNECT_E_CANNOTCONNECT;
  *cookie = nextCookie_++;
  sinks_.emplace_back(*cookie, std::move(events));
  return S_OK;
}

STDMETHODIMP StandinConnectionPoint::Unadvise(DWORD cookie) {
  const auto found =
      std::find_if(sinks_.begin(), sinks_.end(), [cookie](const auto& entry) { return entry.first == cookie; });
  if (found == sinks_.end()) return CONNECT_E_NOCONNECTION;
  sinks_.erase(found);
  return S_OK;
}

STDMETHODIMP StandinConnectionPoint::EnumConnections(IEnumConnections** connections) {
  if (connections) *connections = nullptr;
  return E_NOTIMPL;
}

std::vector<HRESULT> StandinConnectionPoint::Fire(DISPID id) {
  // A sink may disconnect while it handles the event: fire at a copy.
  const auto sinks = sinks_;
  std::vector<HRESULT> results;
  for (const auto& [cookie, sink] : sinks) {
    DISPPARAMS noArguments = {nullptr, nullptr, 0, 0};
    results.push_back(sink->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &noArguments, nullptr,
                                   nullptr, nullptr));
  }
  return results;
}

}  // namespace quillbox::standin
