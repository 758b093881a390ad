#pragma once
// The COMAddIn object Word passes to OnConnection as AddInInst. The add-in only keeps it, so
// it offers nothing beyond IDispatch.

#include <windows.h>

#include <oaidl.h>

#include "word-standin/com_object.h"

namespace quillbox::standin {

class StandinAddInInstance final : public ComObject<IDispatch> {
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
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return DISP_E_UNKNOWNNAME; }
  STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return DISP_E_MEMBERNOTFOUND;
  }

 protected:
  bool Answers(REFIID iid) const override { return IsEqualIID(iid, IID_IDispatch); }
};

}  // namespace quillbox::standin
