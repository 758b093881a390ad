#pragma once
// Word's interface identities. The add-in reaches Word's objects through IDispatch by name,
// so it needs no Word type library: only these numbers, to ask for the right interfaces.

#include <windows.h>

namespace quillbox::win {

// _Application: Word's application object.
inline constexpr IID IID_WordApplication = {
    0x00020970, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
// Selection: the selection of the active document.
inline constexpr IID IID_WordSelection = {
    0x00020975, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
// ApplicationEvents2: the dispinterface of Word's application events.
inline constexpr IID DIID_ApplicationEvents2 = {
    0x000209FE, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

}  // namespace quillbox::win
