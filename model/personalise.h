#pragma once
// Turns a stored comment into text about one pupil, and shortens it for a gallery label.

#include <string>
#include <string_view>

namespace quillbox {

// Replaces "#" by the pupil name, then "~" by his/her, "^" by he/she, "*" by him/her, each
// step on the output of the one before, and capitalises a first letter a-z.
std::u16string PersonaliseComment(std::u16string_view text, std::u16string_view pupilName, bool isBoy);

constexpr size_t kLabelLimit = 100;

// Text of at most 100 UTF-16 units stays whole; longer text is cut to 100 units (one less
// when the cut would split a surrogate pair), trailing white space removed, and "..." added.
std::u16string ShortenLabel(std::u16string_view text);

// The white space that ShortenLabel trims from the end of a cut label.
bool IsLabelSpace(char16_t c);

}  // namespace quillbox
