#include "offline/offline_copy.h"

#include "offline/byte_fields.h"

namespace quillbox {

OfflineCopy CopyOfStore(const CommentStore& store, int64_t savedAt) {
  OfflineCopy copy;
  copy.savedAt = savedAt;
  for (const RibbonItem& subject : store.Subjects()) {
    copy.subjects.push_back(subject.label);
    const SubjectEntry* entry = store.FindSubjectEntry(subject.label);
    if (entry && !entry->commentGroupNames.empty()) copy.entries.emplace(subject.label, *entry);
  }
  return copy;
}

void LoadCopyIntoStore(const OfflineCopy& copy, CommentStore& store) {
  store.ClearListsAndCache();
  store.ClearSubjects();
  int number = 0;
  for (const std::u16string& subject : copy.subjects) store.AddSubject(subject, number++);
  for (const auto& [subject, entry] : copy.entries) store.SubjectEntryFor(subject) = entry;
  const RibbonItem* first = store.SubjectAt(0);
  if (first && store.RebuildCommentGroupList(first->label)) {
    const std::u16string name = first->label;
    store.RebuildCommentList(name, store.CommentGroups().front().label);
  }
}

std::string SerialiseCopy(const OfflineCopy& copy) {
  ByteWriter out;
  out.U64(static_cast<uint64_t>(copy.savedAt));
  out.Count(copy.subjects.size());
  for (const std::u16string& subject : copy.subjects) out.Text(subject);
  out.Count(copy.entries.size());
  for (const auto& [subject, entry] : copy.entries) {
    out.Text(subject);
    out.Count(entry.commentGroupNames.size());
    for (const std::u16string& group : entry.commentGroupNames) {
      out.Text(group);
      const auto comments = entry.commentsByGroupName.find(group);
      const size_t count = comments == entry.commentsByGroupName.end() ? 0 : comments->second.size();
      out.Count(count);
      for (size_t i = 0; i < count; ++i) out.Text(comments->second[i]);
    }
  }
  return out.Take();
}

std::optional<OfflineCopy> ParseCopy(std::string_view bytes) {
  ByteReader in(bytes);
  OfflineCopy copy;
  uint64_t savedAt = 0;
  uint32_t subjects = 0;
  if (!in.U64(savedAt) || !in.Count(subjects)) return std::nullopt;
  copy.savedAt = static_cast<int64_t>(savedAt);
  for (uint32_t i = 0; i < subjects; ++i) {
    std::u16string name;
    if (!in.Text(name)) return std::nullopt;
    copy.subjects.push_back(std::move(name));
  }
  uint32_t entries = 0;
  if (!in.Count(entries)) return std::nullopt;
  for (uint32_t i = 0; i < entries; ++i) {
    std::u16string subject;
    uint32_t groups = 0;
    if (!in.Text(subject) || !in.Count(groups)) return std::nullopt;
    SubjectEntry entry;
    for (uint32_t g = 0; g < groups; ++g) {
      std::u16string group;
      uint32_t comments = 0;
      if (!in.Text(group) || !in.Count(comments)) return std::nullopt;
      std::vector<std::u16string> texts;
      for (uint32_t c = 0; c < comments; ++c) {
        std::u16string text;
        if (!in.Text(text)) return std::nullopt;
        texts.push_back(std::move(text));
      }
      CommentStore::AddCommentGroup(entry, group, std::move(texts));
    }
    // A subject twice, or groups of a subject the list does not name, is not a copy we wrote.
    if (!copy.entries.emplace(std::move(subject), std::move(entry)).second) return std::nullopt;
  }
  for (const auto& [subject, entry] : copy.entries) {
    bool listed = false;
    for (const std::u16string& name : copy.subjects) listed = listed || name == subject;
    if (!listed) return std::nullopt;
  }
  if (!in.AtEnd()) return std::nullopt;
  return copy;
}

}  // namespace quillbox
