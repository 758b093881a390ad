#pragma once
// Office's IRibbonUI as the stand-in offers it to the onLoad callback: every InvalidateControl
// is recorded in order in the host state (or refused, when the failure plan says so).

#include <memory>

#include "office_interfaces.h"
#include "word-standin/com_object.h"
#include "word-standin/host_state.h"

namespace quillbox::standin {

class StandinRibbonUi final : public UntypedDispatch<IRibbonUI> {
 public:
  // The id recorded for Invalidate (the whole ribbon), which no control carries.
  static constexpr wchar_t kWholeRibbon[] = L"*";

  explicit StandinRibbonUi(std::shared_ptr<HostState> state) : state_(std::move(state)) {}

  STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) override;
  STDMETHODIMP Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params, VARIANT* result,
                      EXCEPINFO* exception, UINT* argumentError) override;

  STDMETHODIMP Invalidate() override;
  STDMETHODIMP InvalidateControl(BSTR controlId) override;

 protected:
  bool Answers(REFIID iid) const override;

 private:
  std::shared_ptr<HostState> state_;
};

}  // namespace quillbox::standin
