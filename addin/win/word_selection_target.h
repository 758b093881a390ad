#pragma once
// The core's document port on Word: every step fetches Application.Selection afresh and then
// reads or writes one of its properties (Text, End, Start), all through IDispatch by name, so
// that no Word type library is needed.

#include <windows.h>

#include <oaidl.h>

#include "addin/document_target.h"
#include "common/win/com_ptr.h"
#include "common/win/dispatch_call.h"

namespace quillbox::win {

class WordSelectionTarget final : public DocumentTarget {
 public:
  // Word's application object (queried as _Application), or empty.
  void SetApplication(ComPtr<IDispatch> application) noexcept;
  const ComPtr<IDispatch>& Application() const noexcept { return application_; }

  // Each throws ComError: E_POINTER without an application or with a null selection, else
  // the failing call's result with the interface id of _Application or Selection.
  void SetSelectionText(const std::u16string& text) override;
  int32_t GetSelectionEnd() override;
  void SetSelectionStart(int32_t position) override;

 private:
  ComPtr<IDispatch> Selection();

  ComPtr<IDispatch> application_;
  DispatchName selection_{L"Selection"};
  DispatchName text_{L"Text"};
  DispatchName end_{L"End"};
  DispatchName start_{L"Start"};
};

}  // namespace quillbox::win
