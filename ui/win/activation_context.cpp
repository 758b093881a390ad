#include "ui/win/activation_context.h"

#include <commctrl.h>

#include "common/win/this_module.h"
#include "common/win/unique_handle.h"
#include "ui/win/resource_ids.h"

namespace quillbox::win {
namespace {

UniqueActCtx CreateUiContext() noexcept {
  ACTCTXW description = {};
  description.cbSize = sizeof(description);
  description.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
  description.hModule = ThisModule();
  description.lpResourceName = MAKEINTRESOURCEW(IDR_UI_MANIFEST);
  return UniqueActCtx(::CreateActCtxW(&description));
}

// All classes the control library offers (ICC_LISTVIEW_CLASSES up to ICC_ANIMATE_CLASS).
constexpr DWORD kAllCommonControlClasses = 0xFF;

// Created on first use and kept until the module unloads. The function-local static makes
// the creation safe against two threads showing a dialog at once.
HANDLE UiContext() noexcept {
  static const UniqueActCtx context = [] {
    UniqueActCtx created = CreateUiContext();
    ULONG_PTR cookie = 0;
    const bool activated = created && ::ActivateActCtx(created.Get(), &cookie);
    INITCOMMONCONTROLSEX classes = {sizeof(classes), kAllCommonControlClasses};
    ::InitCommonControlsEx(&classes);
    if (activated) ::DeactivateActCtx(0, cookie);
    return created;
  }();
  return context.Get();
}

}  // namespace

ScopedUiActivation::ScopedUiActivation() noexcept {
  HANDLE context = UiContext();
  if (context != INVALID_HANDLE_VALUE) activated_ = ::ActivateActCtx(context, &cookie_) != FALSE;
}

ScopedUiActivation::~ScopedUiActivation() {
  if (activated_) ::DeactivateActCtx(0, cookie_);
}

}  // namespace quillbox::win
