#pragma once
// Where a dialog opens: centred over its owner, or over the work area when the owner cannot be
// seen, and always inside the work area of the monitor nearest the owner.

#include <windows.h>

namespace quillbox::win {

// The top-left corner for a dialog of the size of dialogRect. Centred over ownerRect when
// given, else over workArea; then moved into workArea (a dialog larger than the work area
// keeps its top-left corner inside it).
POINT CentredPosition(const RECT& dialogRect, const RECT* ownerRect, const RECT& workArea) noexcept;

// Moves dialog as above. An owner that is missing, hidden or minimised does not count.
void CentreOverOwner(HWND dialog) noexcept;

}  // namespace quillbox::win
