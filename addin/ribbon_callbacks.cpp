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

// Another pupil gets the pronoun set remembered for their name, or none, so that no set is
// carried from one pupil to the next. The same name typed again (case and white space at
// either end aside) changes nothing but the spelling.
void AddinCore::OnChangeName(const std::u16string& text, WindowHandle owner) {
  if (!BeginAction(u"name", owner)) return;
  const bool samePupil = PupilKey(text) == PupilKey(store_.PupilName());
  const bool sameText = text == store_.PupilName();
  store_.SetPupilName(text);
  if (samePupil) {
    if (!sameText) RefreshComments();
    return;
  }
  store_.SetPronouns(memory_.PronounsFor(text));
  InvalidatePronouns();
  // A new pupil starts again at the first comment group.
  LoadSelectedSubjectGroups();
  RefreshComments();
}

void AddinCore::InvalidatePronouns() {
  Invalidate(u"boy");
  Invalidate(u"girl");
  Invalidate(u"they");
}

bool AddinCore::GetPressedBoy() const { return store_.ChosenPronouns() == PronounSet::kBoy; }
bool AddinCore::GetPressedGirl() const { return store_.ChosenPronouns() == PronounSet::kGirl; }
bool AddinCore::GetPressedThey() const { return store_.ChosenPronouns() == PronounSet::kThey; }

// The three toggles act as radio buttons: the pressed state Office passes is ignored, and all
// three are read again whichever was pressed. The choice is remembered for the pupil's name.
void AddinCore::SetPronouns(PronounSet pronouns) {
  store_.SetPronouns(pronouns);
  memory_.RememberPronouns(store_.PupilName(), pronouns);
  InvalidatePronouns();
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

int32_t AddinCore::GetItemCountComment() const { return static_cast<int32_t>(store_.CommentCount()); }
std::optional<std::u16string> AddinCore::GetItemLabelComment(int32_t index) const {
  return store_.CommentLabelAt(index);
}
std::optional<std::u16string> AddinCore::GetItemIDComment(int32_t index) const { return store_.CommentIdAt(index); }

// The whole comment as it would be written, so a label cut at 100 characters can be read,
// and on a line of its own the pupils it was already written for.
std::optional<std::u16string> AddinCore::GetItemSupertipComment(int32_t index) const {
  std::optional<std::u16string> supertip = store_.CommentTextAt(index);
  if (!supertip) return std::nullopt;
  if (const std::u16string* source = store_.CommentSourceAt(index)) {
    const std::u16string usedFor = memory_.UsedForList(*source);
    if (!usedFor.empty()) *supertip += u"\n" + (ribbon_text::kAlreadyUsedFor + usedFor);
  }
  return supertip;
}

bool AddinCore::GetItemImageComment(int32_t index) const {
  const std::u16string* source = store_.CommentSourceAt(index);
  return source && memory_.WasUsedFor(*source, store_.PupilName());
}

// The starting "Pupil name" counts as a name, so that comments can be tried before one is typed.
bool AddinCore::GetEnabledComment() const {
  return !PupilKey(store_.PupilName()).empty() && store_.ChosenPronouns().has_value();
}

std::u16string AddinCore::GetSupertipComment() const {
  return GetEnabledComment() ? ribbon_text::kCommentSupertip : ribbon_text::kCommentDisabledSupertip;
}

// The gallery never shows a selected item, so the same comment can be clicked again.
int32_t AddinCore::GetSelectedItemIndexComment() const { return -1; }

}  // namespace quillbox
