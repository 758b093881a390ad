#pragma once
// Word's Window object as the stand-in offers it through IDispatch by name: Hwnd (the
// window's handle as a Long, as Word 2013 and later give it), Caption and Index. It is what
// IRibbonControl.Context and Application.ActiveWindow answer.

#include <windows.h>

#include <string>

#include "word-standin/com_object.h"

namespace quillbox::standin {

class StandinWordWindow final : public UntypedDispatch<IDispatch> {
 public:
  StandinWordWindow(HWND window, long index, std::wstring caption)
      : window_(window), index_(index), caption_(std::move(caption)) {}

  HWND Handle() const noexcept { return window_; }
  // The window now shown for this document (the stand-in's frame in window mode).
  void Show(HWND window) noexcept { window_ = window; }

  STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) override;
  STDMETHODIMP Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params, VARIANT* result,
                      EXCEPINFO* exception, UINT* argumentError) override;

 protected:
  bool Answers(REFIID iid) const override { return IsEqualIID(iid, IID_IDispatch); }

 private:
  HWND window_;
  long index_;
  std::wstring caption_;
};

}  // namespace quillbox::standin
