#pragma once
// Where the add-in keeps the teacher's offline copy, as the core reaches it. Every method may
// take long (key derivation, disk), so the core calls them on its worker thread, except the
// removals. None throws.

#include <optional>
#include <string>

#include "offline/offline_copy.h"

namespace quillbox {

class OfflineCopyStore {
 public:
  virtual ~OfflineCopyStore() = default;
  // Derives a fresh key (new salt) from the password for the copies kept for this account
  // until the next call; after a logged-in fetch.
  virtual void StartAccount(const std::u16string& email, const std::u16string& password) = 0;
  // Replaces the account's copy with this one; does nothing unless StartAccount was last
  // called for this address, so one account's comments never go under another's key.
  virtual void Keep(const std::u16string& email, const OfflineCopy& copy) = 0;
  // The account's copy when there is one and the password opens it.
  virtual std::optional<OfflineCopy> Open(const std::u16string& email, const std::u16string& password) = 0;
  // Removes the account's copy (and forgets the key when it was for that account).
  virtual void Remove(const std::u16string& email) = 0;
  // Removes every copy on this computer for this Windows user.
  virtual void RemoveAll() = 0;
  // Removes the copies older than kOfflineCopyMaxAgeDays.
  virtual void RemoveExpired() = 0;
};

constexpr int kOfflineCopyMaxAgeDays = 180;

}  // namespace quillbox
