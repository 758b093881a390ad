#include "model/comment_store.h"

#include <string>

#include "model/personalise.h"

namespace quillbox {
namespace {

const RibbonItem* ItemAt(const std::vector<RibbonItem>& items, int32_t index) {
  if (index < 0 || static_cast<size_t>(index) >= items.size()) return nullptr;
  return &items[static_cast<size_t>(index)];
}

// "<prefix><number>".
std::u16string NumberedId(const char16_t* prefix, long long number) {
  std::u16string id(prefix);
  if (number < 0) id.push_back(u'-');
  unsigned long long rest = number < 0 ? 0ULL - static_cast<unsigned long long>(number) : number;
  char16_t digits[24];
  size_t count = 0;
  do {
    digits[count++] = static_cast<char16_t>(u'0' + rest % 10);
    rest /= 10;
  } while (rest != 0);
  while (count > 0) id.push_back(digits[--count]);
  return id;
}

}  // namespace

const RibbonItem* CommentStore::SubjectAt(int32_t index) const { return ItemAt(subjects_, index); }
const RibbonItem* CommentStore::CommentGroupAt(int32_t index) const { return ItemAt(commentGroups_, index); }

std::optional<std::u16string> CommentStore::CommentLabelAt(int32_t index) const {
  if (index < 0 || static_cast<size_t>(index) >= commentLabels_.Size()) return std::nullopt;
  return std::u16string(commentLabels_.At(static_cast<size_t>(index)));
}

std::optional<std::u16string> CommentStore::CommentIdAt(int32_t index) const {
  if (index < 0 || static_cast<size_t>(index) >= commentLabels_.Size()) return std::nullopt;
  return NumberedId(u"comment", index);
}

std::optional<std::u16string> CommentStore::CommentTextAt(int32_t index) const {
  const std::u16string* source = CommentSourceAt(index);
  if (!source) return std::nullopt;
  return PersonaliseComment(*source, pupilName_, Pronouns());
}

const std::u16string* CommentStore::CommentSourceAt(int32_t index) const {
  const SubjectEntry* entry = FindSubjectEntry(listSubject_);
  if (!entry || index < 0 || static_cast<size_t>(index) >= commentLabels_.Size()) return nullptr;
  const auto group = entry->commentsByGroupName.find(listGroup_);
  if (group == entry->commentsByGroupName.end() || static_cast<size_t>(index) >= group->second.size()) return nullptr;
  return &group->second[static_cast<size_t>(index)];
}

void CommentStore::ClearSubjects() {
  subjects_.clear();
  selectedSubject_ = 0;
}

void CommentStore::AddSubject(const std::u16string& name, int number) {
  subjects_.push_back(RibbonItem{NumberedId(u"subject", number), name});
  cache_.try_emplace(name);
}

SubjectEntry& CommentStore::SubjectEntryFor(const std::u16string& name) { return cache_[name]; }

const SubjectEntry* CommentStore::FindSubjectEntry(const std::u16string& name) const {
  auto it = cache_.find(name);
  return it == cache_.end() ? nullptr : &it->second;
}

void CommentStore::AddCommentGroup(SubjectEntry& entry, const std::u16string& name,
                                   std::vector<std::u16string> comments) {
  entry.commentsByGroupName.try_emplace(name, std::move(comments));
  entry.commentGroupNames.push_back(name);
}

const std::vector<std::u16string>& CommentStore::CommentTextsFor(const std::u16string& subject,
                                                                 const std::u16string& group) {
  return SubjectEntryFor(subject).commentsByGroupName[group];
}

bool CommentStore::RebuildCommentGroupList(const std::u16string& subject) {
  commentGroups_.clear();
  const SubjectEntry& entry = SubjectEntryFor(subject);
  commentGroups_.reserve(entry.commentGroupNames.size());
  long long n = 0;
  for (const std::u16string& name : entry.commentGroupNames) {
    commentGroups_.push_back(RibbonItem{NumberedId(u"category", n++), name});
  }
  selectedCommentGroup_ = 0;
  return !commentGroups_.empty();
}

void CommentStore::RebuildCommentList(const std::u16string& subject, const std::u16string& group) {
  const std::vector<std::u16string>& texts = CommentTextsFor(subject, group);
  listSubject_ = subject;
  listGroup_ = group;
  // The labels are rewritten into the storage of the last ones, so that relabelling a list
  // (another pupil, another pronoun set) allocates nothing once the buffers have grown.
  thread_local std::u16string personalised;
  thread_local std::u16string label;
  commentLabels_.Clear();
  for (const std::u16string& text : texts) {
    PersonaliseCommentInto(personalised, text, pupilName_, Pronouns());
    ShortenLabelInto(label, personalised);
    commentLabels_.Append(label);
  }
  selectedComment_ = 0;
}

void CommentStore::ClearComments() {
  commentLabels_.Clear();
  selectedComment_ = 0;
}

void CommentStore::ClearListsAndCache() {
  subjects_.clear();
  commentGroups_.clear();
  commentLabels_ = LabelList();
  cache_.clear();
}

}  // namespace quillbox
