#include "model/comment_store.h"

#include <gtest/gtest.h>

namespace quillbox {
namespace {

std::vector<std::u16string> Labels(const std::vector<RibbonItem>& items) {
  std::vector<std::u16string> labels;
  for (const auto& item : items) labels.push_back(item.label);
  return labels;
}

std::vector<std::u16string> CommentLabels(const CommentStore& store) {
  std::vector<std::u16string> labels;
  for (int32_t i = 0; i < static_cast<int32_t>(store.CommentCount()); ++i) labels.push_back(*store.CommentLabelAt(i));
  return labels;
}

std::vector<std::u16string> Ids(const std::vector<RibbonItem>& items) {
  std::vector<std::u16string> ids;
  for (const auto& item : items) ids.push_back(item.identifier);
  return ids;
}

TEST(CommentStore, StartsEmptyWithThePupilDefaults) {
  CommentStore store;
  EXPECT_EQ(store.PupilName(), u"Pupil name");
  EXPECT_EQ(store.ChosenPronouns(), std::nullopt);
  EXPECT_EQ(store.SubjectAt(0), nullptr);
  EXPECT_EQ(store.SelectedSubjectIndex(), 0);
}

TEST(CommentStore, LookupsOutsideTheListGiveNothing) {
  CommentStore store;
  store.AddSubject(u"Maths", 0);
  EXPECT_NE(store.SubjectAt(0), nullptr);
  EXPECT_EQ(store.SubjectAt(1), nullptr);
  EXPECT_EQ(store.SubjectAt(-1), nullptr);
  EXPECT_EQ(store.CommentGroupAt(0), nullptr);
  EXPECT_EQ(store.CommentLabelAt(0), std::nullopt);
  EXPECT_EQ(store.CommentIdAt(0), std::nullopt);
}

TEST(CommentStore, SubjectIdentifiersKeepTheirReplyPositions) {
  CommentStore store;
  store.AddSubject(u"Maths", 0);
  store.AddSubject(u"Art", 2);
  EXPECT_EQ(Ids(store.Subjects()), (std::vector<std::u16string>{u"subject0", u"subject2"}));
  EXPECT_EQ(store.SubjectAt(1)->label, u"Art");
}

TEST(CommentStore, RepeatedSubjectNamesShareOneCacheEntry) {
  CommentStore store;
  store.AddSubject(u"Maths", 0);
  CommentStore::AddCommentGroup(store.SubjectEntryFor(u"Maths"), u"Effort", {u"a"});
  store.AddSubject(u"Maths", 1);
  EXPECT_EQ(store.Subjects().size(), 2u);
  EXPECT_EQ(store.CachedSubjectCount(), 1u);
  EXPECT_TRUE(store.RebuildCommentGroupList(u"Maths"));
  EXPECT_EQ(Labels(store.CommentGroups()), (std::vector<std::u16string>{u"Effort"}));
}

TEST(CommentStore, RepeatedGroupNameKeepsItsFirstComments) {
  CommentStore store;
  SubjectEntry& entry = store.SubjectEntryFor(u"Art");
  CommentStore::AddCommentGroup(entry, u"Effort", {u"one", u"two"});
  CommentStore::AddCommentGroup(entry, u"Effort", {u"other"});
  ASSERT_TRUE(store.RebuildCommentGroupList(u"Art"));
  EXPECT_EQ(Ids(store.CommentGroups()), (std::vector<std::u16string>{u"category0", u"category1"}));
  EXPECT_EQ(Labels(store.CommentGroups()), (std::vector<std::u16string>{u"Effort", u"Effort"}));
  store.RebuildCommentList(u"Art", store.CommentGroupAt(1)->label);
  EXPECT_EQ(CommentLabels(store), (std::vector<std::u16string>{u"One", u"Two"}));
}

TEST(CommentStore, GroupRebuildSelectsTheFirstGroupAndLeavesCommentsAlone) {
  CommentStore store;
  CommentStore::AddCommentGroup(store.SubjectEntryFor(u"Art"), u"A", {u"x"});
  CommentStore::AddCommentGroup(store.SubjectEntryFor(u"Art"), u"B", {u"y"});
  store.RebuildCommentGroupList(u"Art");
  store.RebuildCommentList(u"Art", u"A");
  store.SetSelectedCommentGroupIndex(1);

  EXPECT_FALSE(store.RebuildCommentGroupList(u"Empty"));
  EXPECT_EQ(store.SelectedCommentGroupIndex(), 0);
  EXPECT_TRUE(store.CommentGroups().empty());
  EXPECT_EQ(CommentLabels(store), (std::vector<std::u16string>{u"X"}));
}

TEST(CommentStore, CommentLabelsArePersonalisedAndShortened) {
  CommentStore store;
  const std::u16string longComment = u"# " + std::u16string(148, u'w');
  CommentStore::AddCommentGroup(store.SubjectEntryFor(u"Art"), u"G", {u"^ paints.", longComment, std::u16string(100, u'z')});
  store.SetPupilName(u"Eve");
  store.SetPronouns(PronounSet::kGirl);
  store.SetSelectedCommentIndex(5);
  store.RebuildCommentList(u"Art", u"G");

  const std::vector<std::u16string> labels = CommentLabels(store);
  ASSERT_EQ(labels.size(), 3u);
  EXPECT_EQ(labels[0], u"She paints.");
  EXPECT_EQ(labels[1].size(), 103u);
  EXPECT_EQ(labels[1].substr(0, 4), u"Eve ");
  EXPECT_EQ(labels[2], u"Z" + std::u16string(99, u'z'));
  EXPECT_EQ(store.CommentIdAt(2), u"comment2");
  EXPECT_EQ(store.CommentIdAt(3), std::nullopt);
  EXPECT_EQ(store.CommentIdAt(-1), std::nullopt);
  EXPECT_EQ(store.SelectedCommentIndex(), 0);
  // The cache keeps the texts as the service sent them.
  EXPECT_EQ(store.FindSubjectEntry(u"Art")->commentsByGroupName.at(u"G")[0], u"^ paints.");
}

TEST(CommentStore, RelabellingReplacesEveryLabelWhateverTheListLengths) {
  CommentStore store;
  SubjectEntry& entry = store.SubjectEntryFor(u"Art");
  CommentStore::AddCommentGroup(entry, u"Long", {u"# draws.", u"^ sings.", u"# and ^."});
  CommentStore::AddCommentGroup(entry, u"Short", {u"~ work."});
  store.SetPronouns(PronounSet::kGirl);
  store.SetPupilName(u"Alexandra");
  store.RebuildCommentList(u"Art", u"Long");
  store.SetPupilName(u"Al");
  store.RebuildCommentList(u"Art", u"Long");
  EXPECT_EQ(CommentLabels(store), (std::vector<std::u16string>{u"Al draws.", u"She sings.", u"Al and she."}));
  store.RebuildCommentList(u"Art", u"Short");
  EXPECT_EQ(CommentLabels(store), (std::vector<std::u16string>{u"Her work."}));
  EXPECT_EQ(store.CommentLabelAt(1), std::nullopt);
  store.RebuildCommentList(u"Art", u"Long");
  EXPECT_EQ(store.CommentLabelAt(2), u"Al and she.");
}

TEST(CommentStore, UnknownGroupGivesNoCommentsAndLeavesAnEmptyKey) {
  CommentStore store;
  CommentStore::AddCommentGroup(store.SubjectEntryFor(u"Art"), u"G", {u"x"});
  store.RebuildCommentList(u"Art", u"Missing");
  EXPECT_EQ(store.CommentCount(), 0u);
  const SubjectEntry* entry = store.FindSubjectEntry(u"Art");
  EXPECT_EQ(entry->commentsByGroupName.count(u"Missing"), 1u);
  EXPECT_EQ(entry->commentGroupNames, (std::vector<std::u16string>{u"G"}));
}

TEST(CommentStore, ClearingKeepsSelectionsAndPupil) {
  CommentStore store;
  store.AddSubject(u"Art", 0);
  store.SetSelectedSubjectIndex(3);
  store.SetPupilName(u"Tom");
  store.SetPronouns(PronounSet::kGirl);
  store.ClearListsAndCache();
  EXPECT_TRUE(store.Subjects().empty());
  EXPECT_EQ(store.CachedSubjectCount(), 0u);
  EXPECT_EQ(store.SelectedSubjectIndex(), 3);
  EXPECT_EQ(store.PupilName(), u"Tom");
  EXPECT_FALSE(store.IsBoy());

  store.AddSubject(u"Art", 0);
  store.ClearSubjects();
  EXPECT_EQ(store.SelectedSubjectIndex(), 0);
  EXPECT_EQ(store.CachedSubjectCount(), 1u);
}

}  // namespace
}  // namespace quillbox
