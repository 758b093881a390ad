#pragma once
// The teacher's offline copy: the subject list and the comment groups of every subject opened
// while logged in, as the add-in keeps it for the days the comment service cannot be reached.
// It holds the teacher's own comments only, never pupil data or the password.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/comment_store.h"
#include "model/subject_entry.h"

namespace quillbox {

struct OfflineCopy {
  int64_t savedAt = 0;  // seconds since 1970-01-01 UTC
  std::vector<std::u16string> subjects;
  // Only the subjects whose comment groups were fetched.
  std::map<std::u16string, SubjectEntry> entries;
};

// What the store holds now: its subject list and every cached subject that has groups.
OfflineCopy CopyOfStore(const CommentStore& store, int64_t savedAt);
// Replaces the store's lists and cache with the copy's and selects its first subject, with the
// group and comment lists built when the copy holds that subject's groups.
void LoadCopyIntoStore(const OfflineCopy& copy, CommentStore& store);

// The copy as bytes (little-endian counts, UTF-16 strings) and back. Parsing is strict: a
// count beyond the data, a string cut short or bytes left over give nothing.
std::string SerialiseCopy(const OfflineCopy& copy);
std::optional<OfflineCopy> ParseCopy(std::string_view bytes);

}  // namespace quillbox
