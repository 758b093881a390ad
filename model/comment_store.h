#pragma once
// The in-memory model behind the ribbon: the subject, comment-group and comment lists with the
// teacher's selection in each, the per-subject cache of everything fetched since log-in, and
// the pupil's name and pronoun set that personalise the comments.

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "model/label_list.h"
#include "model/pronoun_set.h"
#include "model/ribbon_item.h"
#include "model/subject_entry.h"

namespace quillbox {

class CommentStore {
 public:
  static constexpr char16_t kInitialPupilName[] = u"Pupil name";

  // The item at index, or null when the index is outside the list.
  const RibbonItem* SubjectAt(int32_t index) const;
  const RibbonItem* CommentGroupAt(int32_t index) const;
  // The comment item's shortened label and its identifier ("comment<index>"), or nothing when
  // the index is outside the comment list.
  std::optional<std::u16string> CommentLabelAt(int32_t index) const;
  std::optional<std::u16string> CommentIdAt(int32_t index) const;
  size_t CommentCount() const { return commentLabels_.Size(); }
  // The whole personalised text behind the comment item at index (its label may be cut), or
  // nothing when the index is outside the comment list. Made when asked for, so that
  // relabelling a long list writes only the labels.
  std::optional<std::u16string> CommentTextAt(int32_t index) const;
  // The stored text (with its markers) behind the comment item at index, or null.
  const std::u16string* CommentSourceAt(int32_t index) const;

  const std::vector<RibbonItem>& Subjects() const { return subjects_; }
  const std::vector<RibbonItem>& CommentGroups() const { return commentGroups_; }

  // Empties the subject list and selects index 0; groups, comments and cache stay.
  void ClearSubjects();
  // Appends "subject<number>" labelled name, and an empty cache entry unless one exists.
  void AddSubject(const std::u16string& name, int number);
  // The cache entry for a subject, created empty when there is none.
  SubjectEntry& SubjectEntryFor(const std::u16string& name);
  // Adds a group to an entry; a name already present keeps its first comment list.
  static void AddCommentGroup(SubjectEntry& entry, const std::u16string& name,
                              std::vector<std::u16string> comments);
  // The full comment texts of a group, an empty list being inserted when the key is missing.
  const std::vector<std::u16string>& CommentTextsFor(const std::u16string& subject,
                                                     const std::u16string& group);

  // Rebuilds the group list from the cache and selects group 0; false when it is empty.
  bool RebuildCommentGroupList(const std::u16string& subject);
  // Rebuilds the comment list with personalised, shortened labels and selects comment 0.
  void RebuildCommentList(const std::u16string& subject, const std::u16string& group);

  // Empties the comment list (the group list and the cache stay).
  void ClearComments();

  // The log-out reset of the lists and the cache (the credentials live beside the store).
  void ClearListsAndCache();

  int32_t SelectedSubjectIndex() const { return selectedSubject_; }
  int32_t SelectedCommentGroupIndex() const { return selectedCommentGroup_; }
  int32_t SelectedCommentIndex() const { return selectedComment_; }
  void SetSelectedSubjectIndex(int32_t index) { selectedSubject_ = index; }
  void SetSelectedCommentGroupIndex(int32_t index) { selectedCommentGroup_ = index; }
  void SetSelectedCommentIndex(int32_t index) { selectedComment_ = index; }

  const std::u16string& PupilName() const { return pupilName_; }
  void SetPupilName(std::u16string name) { pupilName_ = std::move(name); }
  // The set the comments are personalised with: the chosen one, or his/he/him while none is
  // chosen (the comment gallery is disabled then, so those labels are never shown).
  PronounSet Pronouns() const { return pronouns_.value_or(PronounSet::kBoy); }
  std::optional<PronounSet> ChosenPronouns() const { return pronouns_; }
  void SetPronouns(std::optional<PronounSet> pronouns) { pronouns_ = pronouns; }
  bool IsBoy() const { return pronouns_ == PronounSet::kBoy; }

  size_t CachedSubjectCount() const { return cache_.size(); }
  // The cache entry for a subject, or null; never creates one.
  const SubjectEntry* FindSubjectEntry(const std::u16string& name) const;

 private:
  std::vector<RibbonItem> subjects_;
  std::vector<RibbonItem> commentGroups_;
  LabelList commentLabels_;  // an identifier is its index, so only the labels are kept
  std::u16string listSubject_;  // the subject and group the comment list was built from
  std::u16string listGroup_;
  int32_t selectedSubject_ = 0;
  int32_t selectedCommentGroup_ = 0;
  int32_t selectedComment_ = 0;
  std::unordered_map<std::u16string, SubjectEntry> cache_;
  std::u16string pupilName_ = kInitialPupilName;
  std::optional<PronounSet> pronouns_;
};

}  // namespace quillbox
