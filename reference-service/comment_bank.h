#pragma once

#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "sqlite_handle.h"

namespace quillbox::reference {

// The content of a comment bank as the service hands it out.
struct BankTab {
  std::string name;
  std::vector<std::string> comments;
};

struct BankSubject {
  std::string name;
  std::vector<BankTab> tabs;
};

struct BankTeacher {
  std::string email;
  std::string password;
  std::vector<BankSubject> subjects;
};

using TeacherId = std::int64_t;

// The teachers, their comment banks, the one-time login keys and the website sessions, kept
// in one SQLite file. Every method may be called from any thread: calls are serialised on one
// connection. Every statement takes its values as bound parameters.
class CommentBank {
 public:
  // Opens the file; when it is absent or holds no comment bank yet, creates the tables and
  // fills them with initialContent. Throws SqliteError when the file cannot be used.
  CommentBank(const std::string& path, const std::vector<BankTeacher>& initialContent);

  // True when this opening created the tables and filled them.
  bool WasPopulated() const { return populated_; }

  // E-mail addresses compare without regard to ASCII case; passwords exactly.
  std::optional<TeacherId> FindTeacher(const std::string& email, const std::string& password);
  std::string TeacherEmail(TeacherId teacher);

  std::vector<std::string> Subjects(TeacherId teacher);
  // Nothing when the teacher has no subject of that name (compared exactly).
  std::optional<std::vector<BankTab>> Tabs(TeacherId teacher, const std::string& subject);

  // A new random key that RedeemLoginKey accepts once.
  std::string IssueLoginKey(TeacherId teacher);
  std::optional<TeacherId> RedeemLoginKey(const std::string& key);

  // Website sessions, started by a redeemed login key and named by a cookie.
  std::string StartSession(TeacherId teacher);
  std::optional<TeacherId> SessionTeacher(const std::string& token);

 private:
  void CreateTables();
  void AddTeacher(const BankTeacher& teacher);

  std::mutex mutex_;
  SqliteConnection connection_;
  bool populated_ = false;
};

}  // namespace quillbox::reference
