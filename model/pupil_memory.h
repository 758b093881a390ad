#pragma once
// What the add-in remembers about the pupils of one log-in: the pronoun set chosen for each
// name, and which pupils each comment has been written for. It lives in memory only.

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "model/pronoun_set.h"

namespace quillbox {

// A pupil's name as it is compared: white space at either end removed, letters in lower case
// (ASCII, Latin-1, Latin Extended-A, Greek and Cyrillic). Empty when the name is blank.
std::u16string PupilKey(std::u16string_view name);

// The name without white space at either end, as it is shown.
std::u16string TrimmedName(std::u16string_view name);

class PupilMemory {
 public:
  // The set chosen for the pupil, or none. A blank name has none and remembers none.
  std::optional<PronounSet> PronounsFor(std::u16string_view name) const;
  void RememberPronouns(std::u16string_view name, PronounSet pronouns);

  // Notes that the comment (its stored text, markers and all) was written for the pupil; a
  // pupil already noted for it keeps their place in the order.
  void RecordUse(const std::u16string& comment, std::u16string_view name);
  bool WasUsedFor(const std::u16string& comment, std::u16string_view name) const;
  // "Amira, Tom": the names the comment was written for, in the order they got it; empty
  // when it was written for nobody.
  std::u16string UsedForList(const std::u16string& comment) const;

  void Forget();

 private:
  struct Pupil {
    std::u16string key;
    std::u16string shown;
  };
  std::unordered_map<std::u16string, PronounSet> pronouns_;
  std::unordered_map<std::u16string, std::vector<Pupil>> usedFor_;
};

}  // namespace quillbox
