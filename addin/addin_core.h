#pragma once
// Everything the add-in object does, without COM: the 34 ribbon callbacks, comment
// insertion, the login flow, the website buttons and the worker behind "Please wait...".
// The COM object (CConnect) forwards each callback here and turns a thrown ComError into the
// callback's result.
//
// Word has one window, with its own ribbon, per document, and a dialog of the add-in disables
// only the window that owns it; the other windows' ribbons keep calling in, on the same
// thread, from inside the dialog's message loop. So each action callback takes the Word
// window whose ribbon was used (its dialogs are owned by it), and while a dialog of the add-in
// is open or a request is in flight every action is refused (see BeginAction).

#include <cstdint>
#include <optional>
#include <string>

#include "addin/document_target.h"
#include "addin/ribbon_target.h"
#include "model/comment_store.h"
#include "model/pupil_memory.h"
#include "offline/offline_copy_store.h"
#include "service/browser_opener.h"
#include "service/http_transport.h"
#include "service/service_client.h"
#include "settings/settings_reader.h"
#include "ui/error_dialog.h"
#include "ui/login_prompt.h"
#include "ui/progress_runner.h"
#include "ui/question_dialog.h"
#include "ui/window_handle.h"

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
constexpr char16_t kCommentSupertip[] = u"Just click on a comment to insert it.";
constexpr char16_t kCommentDisabledSupertip[] = u"Type the pupil's first name and choose Boy, Girl or They.";
constexpr char16_t kAlreadyUsedFor[] = u"Already used for: ";
}  // namespace ribbon_text

// Told when Word refuses the comment (a protected or read-only document, a locked content
// control, Read Mode); Word's own description follows it when there is one.
constexpr char16_t kWordRefusedComment[] = u"Word did not accept the comment here.";

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
  void LogIn(WindowHandle owner = kNoWindow);
  void VisitWebsite(WindowHandle owner = kNoWindow);
  void EditComments(WindowHandle owner = kNoWindow);
  std::u16string GetLabelLogIn() const;
  bool GetVisibleComments() const;

  // Pupil name and pronoun set.
  std::u16string GetTextName() const;
  void OnChangeName(const std::u16string& text, WindowHandle owner = kNoWindow);
  bool GetPressedBoy() const;
  bool GetPressedGirl() const;
  bool GetPressedThey() const;
  void PressBoy(WindowHandle owner = kNoWindow);
  void PressGirl(WindowHandle owner = kNoWindow);
  void PressThey(WindowHandle owner = kNoWindow);

  // Subject drop-down.
  int32_t GetItemCountSubject() const;
  std::optional<std::u16string> GetItemLabelSubject(int32_t index) const;
  std::optional<std::u16string> GetItemIDSubject(int32_t index) const;
  int32_t GetSelectedItemIndexSubject() const;
  void SelecteItemChangedSubject(int32_t index, WindowHandle owner = kNoWindow);

  // Comment-group gallery.
  int32_t GetItemCountCategory() const;
  std::optional<std::u16string> GetItemLabelCategory(int32_t index) const;
  std::optional<std::u16string> GetItemIDCategory(int32_t index) const;
  int32_t GetSelectedItemIndexCategory() const;
  void SelecteItemChangedCategory(int32_t index, WindowHandle owner = kNoWindow);
  std::u16string GetLabelCategory() const;

  // Comment gallery.
  int32_t GetItemCountComment() const;
  std::optional<std::u16string> GetItemLabelComment(int32_t index) const;
  std::optional<std::u16string> GetItemIDComment(int32_t index) const;
  std::optional<std::u16string> GetItemSupertipComment(int32_t index) const;
  int32_t GetSelectedItemIndexComment() const;
  void SelecteItemChangedComment(int32_t index, WindowHandle owner = kNoWindow);
  // Enabled while the name box holds a name and a pronoun set is chosen for it.
  bool GetEnabledComment() const;
  std::u16string GetSupertipComment() const;
  // True when the comment at index was already written for the pupil in the name box: the
  // gallery shows a tick beside it.
  bool GetItemImageComment(int32_t index) const;

  // State, for the COM layer and for tests.
  const CommentStore& Store() const { return store_; }
  bool IsLoggedIn() const { return loggedIn_; }
  // True while a dialog of the add-in is open or a request is in flight.
  bool IsBusy() const { return busy_ > 0; }
  bool IsOffline() const { return offline_; }
  const ServiceAccount& Account() const { return account_; }
  const PupilMemory& Memory() const { return memory_; }

 private:
  enum class Worker { kLogin, kSubject };

  // Marks the add-in busy for its lifetime (dialogs and requests nest).
  class BusyScope {
   public:
    explicit BusyScope(int& busy) : busy_(busy) { ++busy_; }
    ~BusyScope() { --busy_; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

   private:
    int& busy_;
  };

  bool BeginAction(const char16_t* controlId, WindowHandle owner);
  void TellWordRefused(const std::u16string& description);

  void RefreshComments();
  void SetPronouns(PronounSet pronouns);
  void LoadSelectedSubjectGroups();
  void RunWithProgress(Worker worker);
  void OpenWebsite(const std::u16string& page);
  void ClearLoginData();
  void Invalidate(const char16_t* controlId);
  void InvalidatePronouns();
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
  PupilMemory memory_;  // pronoun sets and comments written since log-in
  ServiceAccount account_;
  ErrorReport error_;
  bool loggedIn_ = false;
  int busy_ = 0;
  WindowHandle owner_ = kNoWindow;  // the window of the action being carried out
  bool offline_ = false;          // logged in from the offline copy
  bool keepOfflineCopy_ = false;  // the setting as read at the last login
};

}  // namespace quillbox
