#pragma once
// Everything the add-in object does, without COM: the 31 ribbon callbacks, comment
// insertion, the login flow, the website buttons and the worker behind "Please wait...".
// The COM object (CConnect) forwards each callback here and turns a thrown ComError into the
// callback's result.

#include <cstdint>
#include <optional>
#include <string>

#include "addin/document_target.h"
#include "addin/ribbon_target.h"
#include "model/comment_store.h"
#include "offline/offline_copy_store.h"
#include "service/browser_opener.h"
#include "service/http_transport.h"
#include "service/service_client.h"
#include "settings/settings_reader.h"
#include "ui/error_dialog.h"
#include "ui/login_prompt.h"
#include "ui/progress_runner.h"
#include "ui/question_dialog.h"

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
  // The offline copy: without a store none is kept or offered.
  OfflineCopyStore* offline = nullptr;
  QuestionDialog* questions = nullptr;
  KeyboardState* keyboard = nullptr;
};

namespace ribbon_text {
constexpr char16_t kLogIn[] = u"Log In";
constexpr char16_t kLogOut[] = u"Log Out";
constexpr char16_t kLogOutOffline[] = u"Log Out (offline)";
constexpr char16_t kSelectCategory[] = u"Select Category";
}  // namespace ribbon_text

// Shown when no worker thread could be started for a request.
constexpr char16_t kWorkerNotStarted[] =
    u"The request could not be started. Please close some programs and try again.";

constexpr char16_t kNotInOfflineCopy[] = u"This subject is not in your offline copy.";

// The question asked instead of the error when the service cannot be reached and the
// teacher's offline copy opens, for a copy saved at savedAt (seconds since 1970, UTC).
std::u16string OfflineCopyQuestion(int64_t savedAt);

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

  // State, for the COM layer and for tests.
  const CommentStore& Store() const { return store_; }
  bool IsLoggedIn() const { return loggedIn_; }
  bool IsOffline() const { return offline_; }
  const ServiceAccount& Account() const { return account_; }

 private:
  enum class Worker { kLogin, kSubject };

  void RefreshComments();
  void SetPronouns(PronounSet pronouns);
  void LoadSelectedSubjectGroups();
  void RunWithProgress(Worker worker);
  void OpenWebsite(const std::u16string& page);
  void ClearLoginData();
  void Invalidate(const char16_t* controlId);
  // The offline copy's part of a login or a subject fetch, run on the worker: keeps the copy
  // after a fetch that worked, or opens it when the service could not be reached at login.
  static std::optional<OfflineCopy> KeepOrOpenOfflineCopy(OfflineCopyStore& offline, Worker worker,
                                                          const ServiceAccount& account, const CommentStore& store,
                                                          const ErrorReport& errors);
  // After a login that could not reach the service: asks whether to use the copy, and logs in
  // from it after Yes. False after No.
  bool UseOfflineCopy(const OfflineCopy& copy);
  // Reads the setting before a login; with the copy turned off, removes every copy.
  void ApplyOfflineCopySetting();

  AddinPorts ports_;
  CommentStore store_;
  ServiceAccount account_;
  ErrorReport error_;
  bool loggedIn_ = false;
  bool offline_ = false;          // logged in from the offline copy
  bool keepOfflineCopy_ = false;  // the setting as read at the last login
};

}  // namespace quillbox
