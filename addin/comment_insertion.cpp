#include "addin/addin_core.h"

#include <new>

#include "common/com_error.h"
#include "model/personalise.h"

namespace quillbox {

// Writes the clicked comment, personalised and followed by a space, at Word's selection,
// leaves the cursor after it and moves on to the next comment group. A failure of Word or
// the ribbon ends the operation at that step; what was done before stays done.
void AddinCore::SelecteItemChangedComment(int32_t index, WindowHandle owner) {
  if (!BeginAction(u"comment", owner)) return;
  store_.SetSelectedCommentIndex(index);
  const int64_t next = static_cast<int64_t>(store_.SelectedCommentGroupIndex()) + 1;

  const RibbonItem* subject = store_.SubjectAt(store_.SelectedSubjectIndex());
  const RibbonItem* group = store_.CommentGroupAt(store_.SelectedCommentGroupIndex());
  if (subject && group) {
    const std::vector<std::u16string>& texts = store_.CommentTextsFor(subject->label, group->label);
    std::u16string text = u" ";
    if (index >= 0 && static_cast<size_t>(index) < texts.size()) {
      text = PersonaliseComment(texts[static_cast<size_t>(index)] + u" ", store_.PupilName(), store_.Pronouns());
    }
    try {
      ports_.document.SetSelectionText(text);
    } catch (const ComError& refused) {
      TellWordRefused(refused.Description());
      throw;
    }
    const int32_t end = ports_.document.GetSelectionEnd();
    ports_.document.SetSelectionStart(end);
  }

  Invalidate(u"comment");

  // The advance goes through the group gallery's own callbacks, as if the teacher had chosen
  // the next group; like any callback result, a failure there is not passed on.
  try {
    if (next < GetItemCountCategory()) {
      const int32_t nextIndex = static_cast<int32_t>(next);
      (void)GetItemIDCategory(nextIndex);
      SelecteItemChangedCategory(nextIndex, owner_);
    }
  } catch (const ComError&) {
  } catch (const std::bad_alloc&) {
  }
}

// Word refuses text in a protected or read-only document, a locked content control or Read
// Mode. The teacher is told, in Word's words too when it gave some; the click stays undone,
// so the comment can be clicked again once the cursor is where Word takes text.
void AddinCore::TellWordRefused(const std::u16string& description) {
  std::u16string message = kWordRefusedComment;
  if (!description.empty()) message += u"\n\n" + description;
  const BusyScope busy(busy_);
  ports_.errors.Tell(message, owner_);
}

}  // namespace quillbox
