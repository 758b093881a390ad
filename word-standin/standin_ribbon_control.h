#pragma once
// The control object Office passes as the first argument of every ribbon callback
// (IRibbonControl): its Id, its Context (the Word window whose ribbon holds it, as in Word) and
// an empty Tag.

#include <string>

#include "common/win/com_ptr.h"

#include "office_interfaces.h"
#include "word-standin/com_object.h"

namespace quillbox::standin {

class StandinRibbonControl final : public UntypedDispatch<IRibbonControl> {
 public:
  StandinRibbonControl(std::wstring id, win::ComPtr<IDispatch> context)
      : id_(std::move(id)), context_(std::move(context)) {}

  STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) override;
  STDMETHODIMP Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params, VARIANT* result,
                      EXCEPINFO* exception, UINT* argumentError) override;

  STDMETHODIMP get_Id(BSTR* id) override;
  STDMETHODIMP get_Context(IDispatch** context) override;
  STDMETHODIMP get_Tag(BSTR* tag) override;

 protected:
  bool Answers(REFIID iid) const override;

 private:
  std::wstring id_;
  win::ComPtr<IDispatch> context_;
};

}  // namespace quillbox::standin
