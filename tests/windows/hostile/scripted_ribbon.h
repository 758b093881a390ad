#pragma once
// An Office ribbon that records every InvalidateControl and refuses one chosen call, so that a
// test can make each invalidation of an action fail in turn.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "office_interfaces.h"
#include "word-standin/com_object.h"

namespace quillbox::testing {

class ScriptedRibbon final : public standin::NamelessDispatch<IRibbonUI> {
 public:
  // Calls counted from 0 since the last Rearm; the call numbered failAt returns failure and
  // is not recorded. Without failAt every call succeeds.
  void Rearm(std::optional<size_t> failAt, HRESULT failure) {
    failAt_ = failAt;
    failure_ = failure;
    calls_ = 0;
    invalidated.clear();
  }

  STDMETHODIMP Invalidate() override { return E_NOTIMPL; }
  STDMETHODIMP InvalidateControl(BSTR controlId) override {
    const size_t call = calls_++;
    if (failAt_ && call == *failAt_) return failure_;
    invalidated.emplace_back(controlId ? controlId : L"", controlId ? ::SysStringLen(controlId) : 0);
    return S_OK;
  }

  std::vector<std::wstring> invalidated;

 protected:
  bool Answers(REFIID iid) const override {
    return IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, IID_IRibbonUI);
  }

 private:
  std::optional<size_t> failAt_;
  HRESULT failure_ = E_FAIL;
  size_t calls_ = 0;
};

}  // namespace quillbox::testing
