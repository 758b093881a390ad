#pragma once
// The sink for Word's application events (dispinterface ApplicationEvents2). It lives inside
// CConnect and shares its reference count, so Word's connection keeps the whole add-in alive
// while it is connected. No event changes anything: every Invoke answers S_OK.

#include <windows.h>

#include <oaidl.h>

namespace quillbox::win {

class ApplicationEventSink final : public IDispatch {
 public:
  // The cookie value that means "not connected".
  static constexpr DWORD kNotConnected = 0xFEFEFEFE;

  explicit ApplicationEventSink(IUnknown& owner) noexcept : owner_(owner) {}
  ApplicationEventSink(const ApplicationEventSink&) = delete;
  ApplicationEventSink& operator=(const ApplicationEventSink&) = delete;

  // Answers IUnknown, IDispatch and ApplicationEvents2; refuses everything else, IID_NULL
  // included. The owner is not reachable from here.
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override { return owner_.AddRef(); }
  STDMETHODIMP_(ULONG) Release() override { return owner_.Release(); }

  STDMETHODIMP GetTypeInfoCount(UINT* count) override;
  STDMETHODIMP GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
  STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) override;
  STDMETHODIMP Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params, VARIANT* result,
                      EXCEPINFO* exception, UINT* argumentError) override;

  bool IsConnected() const noexcept { return cookie_ != kNotConnected; }

  // Advises Word's connection point for ApplicationEvents2 on application. Returns false
  // without doing anything when already connected; a failed connection is not reported.
  bool Connect(IDispatch& application) noexcept;
  // Unadvises the connection point; the cookie is back to not connected whatever happens.
  void Disconnect(IDispatch& application) noexcept;

 private:
  IUnknown& owner_;
  DWORD cookie_ = kNotConnected;
};

}  // namespace quillbox::win
