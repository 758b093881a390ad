#pragma once
// The pronouns a pupil's comments are written with: his/he/him, her/she/her or their/they/them.

namespace quillbox {

enum class PronounSet { kBoy, kGirl, kThey };

}  // namespace quillbox
