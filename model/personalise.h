#pragma once
// Turns a stored comment into text about one pupil, and shortens it for a gallery label.

#include <string>
#include <string_view>

#include "model/pronoun_set.h"

namespace quillbox {

// Replaces "#" by the pupil name, then "~" by his/her/their, "^" by he/she/they, "*" by
// him/her/them, each step on the output of the one before, and capitalises a first letter a-z.
// For they, the verb after each "they" that "^" put in agrees with it (they_agreement.h).
std::u16string PersonaliseComment(std::u16string_view text, std::u16string_view pupilName, PronounSet pronouns);
// The same into out, whose earlier content is replaced and whose storage is reused.
void PersonaliseCommentInto(std::u16string& out, std::u16string_view text, std::u16string_view pupilName,
                            PronounSet pronouns);

constexpr size_t kLabelLimit = 100;

// Text of at most 100 UTF-16 units stays whole; longer text is cut to 100 units (one less
// when the cut would split a surrogate pair), trailing white space removed, and "..." added.
std::u16string ShortenLabel(std::u16string_view text);
// The same into label, whose storage is reused.
void ShortenLabelInto(std::u16string& label, std::u16string_view text);

// The white space that ShortenLabel trims from the end of a cut label.
bool IsLabelSpace(char16_t c);

}  // namespace quillbox
