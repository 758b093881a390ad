#pragma once
// Everything the add-in object does, without COM: the 34 ribbon callbacks, comment
// insertion, the login flow, the website buttons and the worker behind "Please wait...".
// The COM object (CConnect) forwards each callback here and turns a thrown ComError into the
// callback's result.

#include <cstdint>
#include <optional>
#include <string>

#include "addin/document_target.h"
#include "addin/ribbon_target.h"
#include "model/comment_store.h"
#include "model/pupil_memory.h"
#include "service/browser_opener.h"
#include "service/http_transport.h"
#include "service/service_client.h"
#include "settings/settings_reader.h"
#include "ui/error_dialog.h"
#include "ui/login_prompt.h"
#include "ui/progress_runner.h"

namespace quillbox {

// The outside world as the core reaches it. Every reference must outlive the AddinCore.
struct AddinPorts {
  RibbonTarget& ribbon;
  DocumentTarget& document;
  HttpTransport& http;
  SettingsReader& settings;
  BrowserOpener& browser;
  LoginPrompt& login;
  ProgressRunner& progress;
  ErrorDialog& errors;
};

namespace ribbon_text {
constexpr char16_t kLogIn[] = u"Log In";
constexpr char16_t kLogOut[] = u"Log Out";
constexpr char16_t kSelectCategory[] = u"Select Category";
constexpr char16_t kCommentSupertip[] = u"Just click on a comment to insert it.";
constexpr char16_t kCommentDisabledSupertip[] = u"Type the pupil's first name and choose Boy, Girl or They.";
constexpr char16_t kAlreadyUsedFor[] = u"Already used for: ";
}  // namespace ribbon_text

// Shown when no worker thread could be started for a request.
constexpr char16_t kWorkerNotStarted[] =
    u"The request could not be started. Please close some programs and try again.";

class AddinCore {
 public:
  explicit AddinCore(const AddinPorts& ports) : ports_(ports) {}

  // onLoad: reads the service base URL (the COM layer keeps the ribbon object).
  void RibbonLoaded();

  // Account group.
  void LogIn();
  void VisitWebsite();
  void EditComments();
  std::u16string GetLabelLogIn() const;
  bool GetVisibleComments() const;

  // Pupil name and pronoun set.
  std::u16string GetTextName() const;
  void OnChangeName(const std::u16string& text);
  bool GetPressedBoy() const;
  bool GetPressedGirl() const;
  bool GetPressedThey() const;
  void PressBoy();
  void PressGirl();
  void PressThey();

  // Subject drop-down.
  int32_t GetItemCountSubject() const;
  std::optional<std::u16string> GetItemLabelSubject(int32_t index) const;
  std::optional<std::u16string> GetItemIDSubject(int32_t index) const;
  int32_t GetSelectedItemIndexSubject() const;
  void SelecteItemChangedSubject(int32_t index);

  // Comment-group gallery.
  int32_t GetItemCountCategory() const;
  std::optional<std::u16string> GetItemLabelCategory(int32_t index) const;
  std::optional<std::u16string> GetItemIDCategory(int32_t index) const;
  int32_t GetSelectedItemIndexCategory() const;
  void SelecteItemChangedCategory(int32_t index);
  std::u16string GetLabelCategory() const;

  // Comment gallery.
  int32_t GetItemCountComment() const;
  std::optional<std::u16string> GetItemLabelComment(int32_t index) const;
  std::optional<std::u16string> GetItemIDComment(int32_t index) const;
  std::optional<std::u16string> GetItemSupertipComment(int32_t index) const;
  int32_t GetSelectedItemIndexComment() const;
  void SelecteItemChangedComment(int32_t index);
  // Enabled while the name box holds a name and a pronoun set is chosen for it.
  bool GetEnabledComment() const;
  std::u16string GetSupertipComment() const;
  // True when the comment at index was already written for the pupil in the name box: the
  // gallery shows a tick beside it.
  bool GetItemImageComment(int32_t index) const;

  // State, for the COM layer and for tests.
  const CommentStore& Store() const { return store_; }
  bool IsLoggedIn() const { return loggedIn_; }
  const ServiceAccount& Account() const { return account_; }
  const PupilMemory& Memory() const { return memory_; }

 private:
  enum class Worker { kLogin, kSubject };

  void RefreshComments();
  void SetPronouns(PronounSet pronouns);
  void LoadSelectedSubjectGroups();
  void RunWithProgress(Worker worker);
  void OpenWebsite(const std::u16string& page);
  void ClearLoginData();
  void Invalidate(const char16_t* controlId);
  void InvalidatePronouns();

  AddinPorts ports_;
  CommentStore store_;
  PupilMemory memory_;  // pronoun sets and comments written since log-in
  ServiceAccount account_;
  ErrorReport error_;
  bool loggedIn_ = false;
};

}  // namespace quillbox
