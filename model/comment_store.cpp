#include "model/comment_store.h"

#include <string>

#include "model/personalise.h"

namespace quillbox {
namespace {

const RibbonItem* ItemAt(const std::vector<RibbonItem>& items, int32_t index) {
  if (index < 0 || static_cast<size_t>(index) >= items.size()) return nullptr;
  return &items[static_cast<size_t>(index)];
}

std::u16string NumberedId(const char16_t* prefix, long long number) {
  std::u16string id(prefix);
  for (char c : std::to_string(number)) id.push_back(static_cast<char16_t>(c));
  return id;
}

}  // namespace

const RibbonItem* CommentStore::SubjectAt(int32_t index) const { return ItemAt(subjects_, index); }
const RibbonItem* CommentStore::CommentGroupAt(int32_t index) const { return ItemAt(commentGroups_, index); }
const RibbonItem* CommentStore::CommentAt(int32_t index) const { return ItemAt(comments_, index); }

const std::u16string* CommentStore::CommentTextAt(int32_t index) const {
  if (index < 0 || static_cast<size_t>(index) >= commentTexts_.size()) return nullptr;
  return &commentTexts_[static_cast<size_t>(index)];
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
  comments_.clear();
  commentTexts_.clear();
  comments_.reserve(texts.size());
  commentTexts_.reserve(texts.size());
  long long n = 0;
  for (const std::u16string& text : texts) {
    std::u16string personalised = PersonaliseComment(text, pupilName_, pronouns_);
    comments_.push_back(RibbonItem{NumberedId(u"comment", n++), ShortenLabel(personalised)});
    commentTexts_.push_back(std::move(personalised));
  }
  selectedComment_ = 0;
}

void CommentStore::ClearComments() {
  comments_.clear();
  commentTexts_.clear();
  selectedComment_ = 0;
}

void CommentStore::ClearListsAndCache() {
  subjects_.clear();
  commentGroups_.clear();
  comments_.clear();
  commentTexts_.clear();
  cache_.clear();
}

}  // namespace quillbox
