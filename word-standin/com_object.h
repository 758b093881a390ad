#pragma once
// Reference counting and QueryInterface for the stand-in's own single-interface COM objects.
// Everything runs in one apartment, so the count is plain. Objects start with one reference,
// which the creator adopts (ComPtr<T>::Attach).

#include <windows.h>

#include <oaidl.h>
#include <unknwn.h>

namespace quillbox::standin {

template <typename Interface>
class ComObject : public Interface {
 public:
  ComObject() = default;
  ComObject(const ComObject&) = delete;
  ComObject& operator=(const ComObject&) = delete;

  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || Answers(iid)) {
      *out = static_cast<Interface*>(this);
      this->AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++references_; }
  STDMETHODIMP_(ULONG) Release() override {
    const ULONG remaining = --references_;
    if (remaining == 0) delete this;
    return remaining;
  }

 protected:
  virtual ~ComObject() = default;
  // The interfaces besides IUnknown that this object answers.
  virtual bool Answers(REFIID iid) const = 0;

 private:
  ULONG references_ = 1;
};

// An IDispatch-based object without type information: callers reach its members by name only.
template <typename Interface>
class UntypedDispatch : public ComObject<Interface> {
 public:
  STDMETHODIMP GetTypeInfoCount(UINT* count) override {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
    if (info) *info = nullptr;
    return E_NOTIMPL;
  }
};

// An IDispatch-based object that offers no members by name: callers that only hold on to it,
// or that call its own interface's methods directly, never use the dispatch side.
template <typename Interface>
class NamelessDispatch : public UntypedDispatch<Interface> {
 public:
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return DISP_E_UNKNOWNNAME; }
  STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return DISP_E_MEMBERNOTFOUND;
  }
};

}  // namespace quillbox::standin
