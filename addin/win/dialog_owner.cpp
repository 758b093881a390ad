#include "addin/win/dialog_owner.h"

#include <cstdint>
#include <exception>

#include "common/win/com_ptr.h"
#include "common/win/dispatch_call.h"
#include "common/win/variant.h"
#include "office_interfaces.h"

namespace quillbox::win {
namespace {

// Reads a property by name into value; false when the object has no such member or the read
// fails.
bool ReadProperty(IDispatch& object, const wchar_t* name, UniqueVariant& value) {
  try {
    DispatchName member(name);
    GetDispatchProperty(object, member.Resolve(object, Guid{}), value.Put(), Guid{});
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

ComPtr<IDispatch> DispatchProperty(IDispatch& object, const wchar_t* name) {
  UniqueVariant value;
  if (!ReadProperty(object, name, value) || value.Type() != VT_DISPATCH) return {};
  return ComPtr<IDispatch>(value.Value().pdispVal);
}

WindowHandle HwndOf(const ComPtr<IDispatch>& window) {
  if (!window) return kNoWindow;
  UniqueVariant hwnd;
  if (!ReadProperty(*window.Get(), L"Hwnd", hwnd)) return kNoWindow;
  if (FAILED(::VariantChangeType(hwnd.Get(), hwnd.Get(), 0, VT_I8))) return kNoWindow;
  // Word answers a Long; a window handle is sign-extended to the pointer's width.
  return static_cast<WindowHandle>(static_cast<intptr_t>(hwnd.Value().llVal));
}

ComPtr<IDispatch> ContextOf(IDispatch* control) {
  ComPtr<IRibbonControl> ribbonControl;
  ComPtr<IDispatch> context;
  if (control && SUCCEEDED(control->QueryInterface(IID_IRibbonControl, ribbonControl.PutVoid()))) {
    if (FAILED(ribbonControl->get_Context(context.Put()))) context.Reset();
  }
  return context;
}

}  // namespace

WindowHandle DialogOwnerFor(IDispatch* control, IDispatch* application) noexcept {
  WindowHandle owner = HwndOf(ContextOf(control));
  if (owner == kNoWindow && application) owner = HwndOf(DispatchProperty(*application, L"ActiveWindow"));
  return owner;
}

}  // namespace quillbox::win
