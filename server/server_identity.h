#pragma once
// The identities of the COM server, fixed at build time, and the numbers of its registration
// script resources.

#include "common/com_error.h"

namespace quillbox {

// Class CConnect, coclass Connect.
constexpr Guid kClsidConnect = {0x2DD227D3, 0xA097, 0x4000, {0xB3, 0x85, 0x2F, 0x84, 0x55, 0x56, 0xAF, 0x4E}};
// Type library QuillboxAddInLib.
constexpr Guid kLibidQuillboxAddInLib = {0x489CFAD6, 0x9778, 0x4B49, {0x8D, 0x9E, 0x5B, 0x8E, 0x4D, 0xE9, 0x70, 0x5A}};
// Application identifier of the module CQuillboxAddInModule.
constexpr Guid kAppIdQuillboxAddInModule = {0x06FB7774, 0xFDC6, 0x4FA3, {0xAE, 0xD8, 0x85, 0x35, 0x11, 0x6D, 0xDD, 0xA0}};

constexpr char16_t kProgId[] = u"Quillbox.AddIn";  // version-independent; Quillbox.AddIn.1 with the version
constexpr char16_t kProgIdVersion[] = u"1";
constexpr char16_t kServerDescription[] = u"Quillbox AddIn";
constexpr char16_t kThreadingModel[] = u"Apartment";

// Resource type "REGISTRY": the application-identifier script and the class script.
constexpr int kAppIdScriptResource = 101;
constexpr int kClassScriptResource = 202;

}  // namespace quillbox
