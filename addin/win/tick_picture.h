#pragma once
// The tick the comment gallery shows beside a comment already written for the pupil: icon 202
// of the add-in's module, handed to Office as a picture object.

#include <windows.h>

#include <ocidl.h>

namespace quillbox::win {

constexpr int kTickIconResource = 202;

// A new picture object that owns its own copy of the icon; throws ComError when the icon
// cannot be loaded or the picture cannot be made.
IPictureDisp* NewTickPicture();

}  // namespace quillbox::win
