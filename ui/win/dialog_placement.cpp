#include "ui/win/dialog_placement.h"

namespace quillbox::win {
namespace {

LONG Centre(LONG start, LONG end, LONG size) { return start + ((end - start) - size) / 2; }

LONG IntoRange(LONG position, LONG size, LONG start, LONG end) {
  if (position + size > end) position = end - size;
  if (position < start) position = start;
  return position;
}

}  // namespace

POINT CentredPosition(const RECT& dialogRect, const RECT* ownerRect, const RECT& workArea) noexcept {
  const LONG width = dialogRect.right - dialogRect.left;
  const LONG height = dialogRect.bottom - dialogRect.top;
  const RECT& centreOn = ownerRect ? *ownerRect : workArea;
  POINT position = {Centre(centreOn.left, centreOn.right, width),
                    Centre(centreOn.top, centreOn.bottom, height)};
  position.x = IntoRange(position.x, width, workArea.left, workArea.right);
  position.y = IntoRange(position.y, height, workArea.top, workArea.bottom);
  return position;
}

void CentreOverOwner(HWND dialog) noexcept {
  HWND owner = ::GetWindow(dialog, GW_OWNER);
  const bool ownerUsable = owner && ::IsWindowVisible(owner) && !::IsIconic(owner);

  HMONITOR monitor = ::MonitorFromWindow(ownerUsable ? owner : dialog, MONITOR_DEFAULTTONEAREST);
  MONITORINFO info = {};
  info.cbSize = sizeof(info);
  if (!::GetMonitorInfoW(monitor, &info)) {
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &info.rcWork, 0);
  }

  RECT dialogRect = {};
  RECT ownerRect = {};
  ::GetWindowRect(dialog, &dialogRect);
  if (ownerUsable) ::GetWindowRect(owner, &ownerRect);
  const POINT position = CentredPosition(dialogRect, ownerUsable ? &ownerRect : nullptr, info.rcWork);
  ::SetWindowPos(dialog, nullptr, position.x, position.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace quillbox::win
