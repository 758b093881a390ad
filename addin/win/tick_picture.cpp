#include "addin/win/tick_picture.h"

#include <olectl.h>

#include "common/com_error.h"
#include "common/win/com_ptr.h"
#include "common/win/this_module.h"
#include "common/win/unique_handle.h"

namespace quillbox::win {

IPictureDisp* NewTickPicture() {
  UniqueIcon icon(static_cast<HICON>(
      ::LoadImageW(ThisModule(), MAKEINTRESOURCEW(kTickIconResource), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR)));
  if (!icon) {
    const DWORD error = ::GetLastError();
    throw ComError(error ? HRESULT_FROM_WIN32(error) : E_FAIL);
  }
  PICTDESC description = {};
  description.cbSizeofstruct = sizeof(description);
  description.picType = PICTYPE_ICON;
  description.icon.hicon = icon.Get();
  ComPtr<IPictureDisp> picture;
  // The picture takes the icon over (fOwn) only once it exists.
  const HRESULT made = ::OleCreatePictureIndirect(&description, IID_IPictureDisp, TRUE, picture.PutVoid());
  if (FAILED(made)) throw ComError(made);
  icon.Release();
  return picture.Detach();
}

}  // namespace quillbox::win
