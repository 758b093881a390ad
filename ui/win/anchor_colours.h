#pragma once
// The web-link colours the teacher chose in Internet Explorer's settings, if any.

#include <windows.h>

namespace quillbox::win {

struct AnchorColours {
  COLORREF link;
  COLORREF visited;
};

// Reads "Anchor Color" and "Anchor Color Visited" under
// HKEY_CURRENT_USER\Software\Microsoft\Internet Explorer\Settings (read-only). Each value
// that is missing, not a string or not a valid colour leaves its default.
AnchorColours ReadAnchorColours(AnchorColours defaults) noexcept;

}  // namespace quillbox::win
