#pragma once
// Verb agreement after "they": "they is" becomes "they are", "they tries" becomes "they try".

#include <cstddef>
#include <string>
#include <vector>

namespace quillbox {

// Puts the verb that follows each "they" into agreement with it. theyEnds holds, in ascending
// order, the positions in text just behind each "they" that a pronoun marker put in; no other
// word is touched. Adverbs between "they" and the verb are skipped; "they's" becomes "they've"
// before a past participle and "they're" otherwise; case and surrounding punctuation are kept.
// The result goes to out, whose earlier content is replaced (its storage is reused).
void AgreeWithThey(const std::u16string& text, const std::vector<size_t>& theyEnds, std::u16string& out);

}  // namespace quillbox
