#include "addin/addin_core.h"

#include <utility>

#include "common/com_error.h"
#include "service/website.h"

namespace quillbox {

void AddinCore::RibbonLoaded() {
  account_.baseUrl = ports_.settings.ReadServiceBaseUrl();
  if (ports_.offline) ports_.offline->RemoveExpired();
}

void AddinCore::Invalidate(const char16_t* controlId) { ports_.ribbon.InvalidateControl(controlId); }

// Every action callback starts here. While a dialog of the add-in is open or a request is in
// flight, an action (from this window's ribbon or another's) would run on top of the one
// waiting below it on the same thread, and the outer one would then overwrite what it did.
// So it does nothing; its control is read again, so that a toggle, gallery or edit box that
// Office changed on the click shows the add-in's real state. Getters keep answering.
bool AddinCore::BeginAction(const char16_t* controlId, WindowHandle owner) {
  if (IsBusy()) {
    try {
      Invalidate(controlId);
    } catch (const ComError&) {
      // The refused action still ends without a failure; the control just stays as it is.
    }
    return false;
  }
  owner_ = owner;
  return true;
}

void AddinCore::RefreshComments() {
  const RibbonItem* subject = store_.SubjectAt(store_.SelectedSubjectIndex());
  const RibbonItem* group = store_.CommentGroupAt(store_.SelectedCommentGroupIndex());
  if (subject && group) {
    // Copies: the rebuild may reallocate the lists the pointers point into.
    const std::u16string subjectName = subject->label;
    const std::u16string groupName = group->label;
    store_.RebuildCommentList(subjectName, groupName);
  }
  Invalidate(u"category");
  Invalidate(u"comment");
}

// Rebuilds the group list of the selected subject from the cache, fetching the subject's
// groups behind the progress dialog when the cache has none. Without a selected subject the
// lists stay as they are.
void AddinCore::LoadSelectedSubjectGroups() {
  const RibbonItem* subject = store_.SubjectAt(store_.SelectedSubjectIndex());
  if (!subject) return;
  const std::u16string name = subject->label;
  if (store_.RebuildCommentGroupList(name)) return;
  if (offline_) {
    // Offline there is nothing to fetch: the comments of the subject before must not stay.
    store_.ClearComments();
    const BusyScope busy(busy_);
    ports_.errors.Show(kNotInOfflineCopy, u"", owner_);
  } else {
    RunWithProgress(Worker::kSubject);
  }
}

// The worker gets its own copy of the model and the account, and the copy replaces the model
// once the worker has ended. Ribbon getters that Office calls while the progress dialog is up
// therefore read the state from before the request, and no two threads ever share the model.
void AddinCore::RunWithProgress(Worker worker) {
  CommentStore workingStore = store_;
  ErrorReport workingErrors = error_;
  const ServiceAccount account = account_;
  HttpTransport& http = ports_.http;
  OfflineCopyStore* offline = keepOfflineCopy_ ? ports_.offline : nullptr;
  std::optional<OfflineCopy> offlineCopy;

  const BusyScope busy(busy_);
  const bool ran = ports_.progress.Run(
      [&workingStore, &workingErrors, &account, &http, worker, offline, &offlineCopy] {
        ServiceClient client(account, http);
        if (worker == Worker::kLogin) {
          client.FetchSubjects(workingStore, workingErrors);
        } else {
          client.SelectSubject(workingStore, workingStore.SelectedSubjectIndex(), workingErrors);
        }
        if (offline) offlineCopy = KeepOrOpenOfflineCopy(*offline, worker, account, workingStore, workingErrors);
      },
      owner_);

  if (ran) {
    store_ = std::move(workingStore);
    error_ = std::move(workingErrors);
  } else {
    error_ = ErrorReport{kWorkerNotStarted, {}};
  }
  if (offlineCopy && UseOfflineCopy(*offlineCopy)) error_ = ErrorReport{};
  // Both fields are emptied whether or not a message was shown, so that a link left by a
  // refusal without a message never turns up under a later, unrelated message.
  const ErrorReport shown = std::exchange(error_, ErrorReport{});
  if (!shown.text.empty()) ports_.errors.Show(shown.text, shown.link, owner_);
}

void AddinCore::ClearLoginData() {
  store_.ClearListsAndCache();
  account_.email.clear();
  account_.password.clear();
}

// The login key is asked for on a worker thread: the request (and the proxy detection it may
// start) can take seconds, and Word's thread must keep answering its windows meanwhile.
// "Please wait..." comes up only when the wait is long. The page opens with the key or, when
// there is none (a refusal, no reply, no worker), without it.
void AddinCore::OpenWebsite(const std::u16string& page) {
  if (account_.baseUrl.empty()) return;
  const ServiceAccount account = account_;
  HttpTransport& http = ports_.http;
  std::optional<std::string> key;
  {
    const BusyScope busy(busy_);
    ports_.progress.Run([&key, &account, &http] { key = ServiceClient(account, http).FetchLoginKey(); }, owner_,
                        ProgressShown::kWhenSlow);
  }
  ports_.browser.Open(WebsiteAddress(account.baseUrl, key, page));
}

void AddinCore::VisitWebsite(WindowHandle owner) {
  if (BeginAction(u"visitWebsite", owner)) OpenWebsite(u"");
}
void AddinCore::EditComments(WindowHandle owner) {
  if (BeginAction(u"editComments", owner)) OpenWebsite(u"index/edit");
}

}  // namespace quillbox
