#pragma once
// Word's Selection as the stand-in offers it: the properties Text, Start and End through
// IDispatch by name, working on the shared document.

#include <memory>

#include "word-standin/com_object.h"
#include "word-standin/host_state.h"

#include <oaidl.h>

namespace quillbox::standin {

class StandinSelection final : public UntypedDispatch<IDispatch> {
 public:
  explicit StandinSelection(std::shared_ptr<HostState> state) : state_(std::move(state)) {}

  STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) override;
  STDMETHODIMP Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params, VARIANT* result,
                      EXCEPINFO* exception, UINT* argumentError) override;

 protected:
  bool Answers(REFIID iid) const override;

 private:
  HRESULT Text(WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception);
  HRESULT Position(DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception);

  std::shared_ptr<HostState> state_;
};

}  // namespace quillbox::standin
