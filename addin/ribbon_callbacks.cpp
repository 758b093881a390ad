#include "addin/addin_core.h"

namespace quillbox {
namespace {

int32_t CountOf(const std::vector<RibbonItem>& items) { return static_cast<int32_t>(items.size()); }

std::optional<std::u16string> LabelOf(const RibbonItem* item) {
  if (!item) return std::nullopt;
  return item->label;
}

std::optional<std::u16string> IdOf(const RibbonItem* item) {
  if (!item) return std::nullopt;
  return item->identifier;
}

}  // namespace

// Pupil name and pronoun set.

std::u16string AddinCore::GetTextName() const { return store_.PupilName(); }

void AddinCore::OnChangeName(const std::u16string& text, WindowHandle owner) {
  if (!BeginAction(u"name", owner)) return;
  store_.SetPupilName(text);
  // A new pupil starts again at the first comment group.
  LoadSelectedSubjectGroups();
  RefreshComments();
}

bool AddinCore::GetPressedBoy() const { return store_.Pronouns() == PronounSet::kBoy; }
bool AddinCore::GetPressedGirl() const { return store_.Pronouns() == PronounSet::kGirl; }
bool AddinCore::GetPressedThey() const { return store_.Pronouns() == PronounSet::kThey; }

// The three toggles act as radio buttons: the pressed state Office passes is ignored, and all
// three are read again whichever was pressed.
void AddinCore::SetPronouns(PronounSet pronouns) {
  store_.SetPronouns(pronouns);
  Invalidate(u"boy");
  Invalidate(u"girl");
  Invalidate(u"they");
  RefreshComments();
}

void AddinCore::PressBoy(WindowHandle owner) {
  if (BeginAction(u"boy", owner)) SetPronouns(PronounSet::kBoy);
}
void AddinCore::PressGirl(WindowHandle owner) {
  if (BeginAction(u"girl", owner)) SetPronouns(PronounSet::kGirl);
}
void AddinCore::PressThey(WindowHandle owner) {
  if (BeginAction(u"they", owner)) SetPronouns(PronounSet::kThey);
}

// Subject drop-down.

int32_t AddinCore::GetItemCountSubject() const { return CountOf(store_.Subjects()); }
std::optional<std::u16string> AddinCore::GetItemLabelSubject(int32_t index) const {
  return LabelOf(store_.SubjectAt(index));
}
std::optional<std::u16string> AddinCore::GetItemIDSubject(int32_t index) const { return IdOf(store_.SubjectAt(index)); }
int32_t AddinCore::GetSelectedItemIndexSubject() const { return store_.SelectedSubjectIndex(); }

void AddinCore::SelecteItemChangedSubject(int32_t index, WindowHandle owner) {
  if (!BeginAction(u"subjects", owner)) return;
  store_.SetSelectedSubjectIndex(index);
  LoadSelectedSubjectGroups();
  RefreshComments();
}

// Comment-group gallery.

int32_t AddinCore::GetItemCountCategory() const { return CountOf(store_.CommentGroups()); }
std::optional<std::u16string> AddinCore::GetItemLabelCategory(int32_t index) const {
  return LabelOf(store_.CommentGroupAt(index));
}
std::optional<std::u16string> AddinCore::GetItemIDCategory(int32_t index) const {
  return IdOf(store_.CommentGroupAt(index));
}
int32_t AddinCore::GetSelectedItemIndexCategory() const { return store_.SelectedCommentGroupIndex(); }

void AddinCore::SelecteItemChangedCategory(int32_t index, WindowHandle owner) {
  if (!BeginAction(u"category", owner)) return;
  store_.SetSelectedCommentGroupIndex(index);
  RefreshComments();
}

std::u16string AddinCore::GetLabelCategory() const {
  std::optional<std::u16string> label = GetItemLabelCategory(store_.SelectedCommentGroupIndex());
  return label ? *label : std::u16string(ribbon_text::kSelectCategory);
}

// Comment gallery.

int32_t AddinCore::GetItemCountComment() const { return CountOf(store_.Comments()); }
std::optional<std::u16string> AddinCore::GetItemLabelComment(int32_t index) const {
  return LabelOf(store_.CommentAt(index));
}
std::optional<std::u16string> AddinCore::GetItemIDComment(int32_t index) const { return IdOf(store_.CommentAt(index)); }

// The whole comment as it would be written, so a label cut at 100 characters can be read.
std::optional<std::u16string> AddinCore::GetItemSupertipComment(int32_t index) const {
  const std::u16string* text = store_.CommentTextAt(index);
  if (!text) return std::nullopt;
  return *text;
}

// The gallery never shows a selected item, so the same comment can be clicked again.
int32_t AddinCore::GetSelectedItemIndexComment() const { return -1; }

}  // namespace quillbox
