#include "addin/addin_core.h"

namespace quillbox {

void AddinCore::LogIn(WindowHandle owner) {
  if (!BeginAction(u"logIn", owner)) return;
  const bool loggingOut = loggedIn_;
  if (loggingOut) {
    // Logging out is local and immediate: nothing is sent to the service. With Shift held
    // it also removes the teacher's offline copy.
    if (ports_.offline && ports_.keyboard && ports_.keyboard->ShiftHeld()) ports_.offline->Remove(account_.email);
    loggedIn_ = false;
    offline_ = false;
    ClearLoginData();
    // What was remembered about the pupils goes with the teacher who logged out.
    memory_.Forget();
    store_.SetPronouns(std::nullopt);
  } else {
    // The base URL is read afresh for the dialog's links only; requests keep using the one
    // read when the ribbon loaded.
    const std::u16string dialogBaseUrl = ports_.settings.ReadServiceBaseUrl();
    const BusyScope busy(busy_);
    if (std::optional<LoginCredentials> typed = ports_.login.Prompt(dialogBaseUrl, owner_)) {
      account_.email = std::move(typed->email);
      account_.password = std::move(typed->password);
      ApplyOfflineCopySetting();
      RunWithProgress(Worker::kLogin);
      loggedIn_ = !store_.Subjects().empty();
    }
  }
  Invalidate(u"logIn");
  Invalidate(u"gr2");
  Invalidate(u"subjects");
  Invalidate(u"category");
  if (loggingOut) {
    InvalidatePronouns();
    Invalidate(u"comment");
  }
}

std::u16string AddinCore::GetLabelLogIn() const {
  if (!loggedIn_) return ribbon_text::kLogIn;
  return offline_ ? ribbon_text::kLogOutOffline : ribbon_text::kLogOut;
}

bool AddinCore::GetVisibleComments() const { return loggedIn_; }

}  // namespace quillbox
