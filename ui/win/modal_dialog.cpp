#include "ui/win/modal_dialog.h"

#include "common/win/this_module.h"
#include "ui/win/activation_context.h"

namespace quillbox::win {

INT_PTR RunModalDialog(WORD resourceId, HWND owner, DLGPROC procedure, void* data) noexcept {
  ScopedUiActivation activation;
  return ::DialogBoxParamW(ThisModule(), MAKEINTRESOURCEW(resourceId), owner, procedure,
                           reinterpret_cast<LPARAM>(data));
}

}  // namespace quillbox::win
