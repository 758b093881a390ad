// The offline copy in the login flow: kept after every fetch that worked while logged in,
// offered instead of the error when the service cannot be reached at login.

#include <chrono>
#include <ctime>

#include "addin/addin_core.h"
#include "common/text_utf.h"

namespace quillbox {
namespace {

int64_t SecondsNow() {
  return std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch())
      .count();
}

// "8 December 2026 at 18:35" in the computer's time zone. Called on Word's thread only, so
// the C library's shared local-time buffer is not raced.
std::u16string LocalDateAndTime(int64_t savedAt) {
  const std::time_t when = static_cast<std::time_t>(savedAt);
  const std::tm* local = std::localtime(&when);
  if (!local) return u"an unknown date";
  char text[64];
  if (std::strftime(text, sizeof text, "%d %B %Y at %H:%M", local) == 0) return u"an unknown date";
  const char* day = text[0] == '0' ? text + 1 : text;
  return Utf8ToUtf16(day);
}

}  // namespace

std::u16string OfflineCopyQuestion(int64_t savedAt) {
  return u"The comment service cannot be reached. Use your offline copy of " + LocalDateAndTime(savedAt) + u"?";
}

std::optional<OfflineCopy> AddinCore::KeepOrOpenOfflineCopy(OfflineCopyStore& offline, Worker worker,
                                                            const ServiceAccount& account,
                                                            const CommentStore& store, const ErrorReport& errors) {
  if (worker == Worker::kLogin && errors.unreachable) return offline.Open(account.email, account.password);
  // The service let the account in: a fresh key for this login's copies.
  if (worker == Worker::kLogin && !store.Subjects().empty()) offline.StartAccount(account.email, account.password);
  // A refusal or an unreadable reply leaves the last good copy as it is.
  if (!errors.text.empty() || store.Subjects().empty()) return std::nullopt;
  offline.Keep(account.email, CopyOfStore(store, SecondsNow()));
  return std::nullopt;
}

bool AddinCore::UseOfflineCopy(const OfflineCopy& copy) {
  if (!ports_.questions || !ports_.questions->AskYesNo(OfflineCopyQuestion(copy.savedAt), owner_)) return false;
  LoadCopyIntoStore(copy, store_);
  offline_ = true;
  return true;
}

void AddinCore::ApplyOfflineCopySetting() {
  keepOfflineCopy_ = ports_.offline && ports_.settings.ReadOfflineCopyEnabled();
  if (ports_.offline && !keepOfflineCopy_) ports_.offline->RemoveAll();
}

}  // namespace quillbox
