#include "comment_bank.h"

#include <random>

namespace quillbox::reference {

namespace {

constexpr const char* kSchema = R"sql(
CREATE TABLE teachers (
  id INTEGER PRIMARY KEY,
  email TEXT NOT NULL UNIQUE COLLATE NOCASE,
  password TEXT NOT NULL);
CREATE TABLE subjects (
  id INTEGER PRIMARY KEY,
  teacher_id INTEGER NOT NULL REFERENCES teachers(id),
  position INTEGER NOT NULL,
  name TEXT NOT NULL,
  UNIQUE (teacher_id, name));
CREATE TABLE tabs (
  id INTEGER PRIMARY KEY,
  subject_id INTEGER NOT NULL REFERENCES subjects(id),
  position INTEGER NOT NULL,
  name TEXT NOT NULL);
CREATE TABLE comments (
  id INTEGER PRIMARY KEY,
  tab_id INTEGER NOT NULL REFERENCES tabs(id),
  position INTEGER NOT NULL,
  text TEXT NOT NULL);
CREATE TABLE login_keys (
  key TEXT PRIMARY KEY,
  teacher_id INTEGER NOT NULL REFERENCES teachers(id),
  used INTEGER NOT NULL DEFAULT 0);
CREATE TABLE sessions (
  token TEXT PRIMARY KEY,
  teacher_id INTEGER NOT NULL REFERENCES teachers(id));
)sql";

// 128 random bits as 32 lower-case hex digits: safe to put into a URL or a cookie unescaped.
std::string RandomToken() {
  static std::random_device device;
  static const char kDigits[] = "0123456789abcdef";
  std::string token;
  for (int i = 0; i < 4; ++i) {
    std::uint32_t bits = device();
    for (int k = 0; k < 8; ++k, bits >>= 4) token += kDigits[bits & 0xF];
  }
  return token;
}

bool HasTables(const SqliteConnection& connection) {
  SqliteStatement query(connection,
                        "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = 'teachers'");
  return query.Step();
}

}  // namespace

CommentBank::CommentBank(const std::string& path, const std::vector<BankTeacher>& initialContent)
    : connection_(path, true) {
  connection_.Execute("PRAGMA foreign_keys = ON");
  // Login keys and sessions are written on many requests: a write-ahead log with normal
  // syncing keeps each of them from waiting for a full flush of the file.
  connection_.Execute("PRAGMA journal_mode = WAL");
  connection_.Execute("PRAGMA synchronous = NORMAL");
  if (HasTables(connection_)) return;
  connection_.Execute("BEGIN IMMEDIATE");
  try {
    CreateTables();
    for (const BankTeacher& teacher : initialContent) AddTeacher(teacher);
    connection_.Execute("COMMIT");
  } catch (...) {
    connection_.Execute("ROLLBACK");
    throw;
  }
  populated_ = true;
}

void CommentBank::CreateTables() { connection_.Execute(kSchema); }

void CommentBank::AddTeacher(const BankTeacher& teacher) {
  SqliteStatement insertTeacher(connection_,
                                "INSERT INTO teachers (email, password) VALUES (?, ?)");
  insertTeacher.Bind(1, teacher.email).Bind(2, teacher.password).Step();
  const TeacherId teacherId = connection_.LastInsertRowId();
  for (size_t s = 0; s < teacher.subjects.size(); ++s) {
    const BankSubject& subject = teacher.subjects[s];
    SqliteStatement insertSubject(
        connection_, "INSERT INTO subjects (teacher_id, position, name) VALUES (?, ?, ?)");
    insertSubject.Bind(1, teacherId).Bind(2, static_cast<std::int64_t>(s)).Bind(3, subject.name);
    insertSubject.Step();
    const std::int64_t subjectId = connection_.LastInsertRowId();
    for (size_t t = 0; t < subject.tabs.size(); ++t) {
      const BankTab& tab = subject.tabs[t];
      SqliteStatement insertTab(
          connection_, "INSERT INTO tabs (subject_id, position, name) VALUES (?, ?, ?)");
      insertTab.Bind(1, subjectId).Bind(2, static_cast<std::int64_t>(t)).Bind(3, tab.name).Step();
      const std::int64_t tabId = connection_.LastInsertRowId();
      for (size_t c = 0; c < tab.comments.size(); ++c) {
        SqliteStatement insertComment(
            connection_, "INSERT INTO comments (tab_id, position, text) VALUES (?, ?, ?)");
        insertComment.Bind(1, tabId).Bind(2, static_cast<std::int64_t>(c));
        insertComment.Bind(3, tab.comments[c]).Step();
      }
    }
  }
}

std::optional<TeacherId> CommentBank::FindTeacher(const std::string& email,
                                                  const std::string& password) {
  std::lock_guard<std::mutex> lock(mutex_);
  SqliteStatement query(connection_,
                        "SELECT id, password FROM teachers WHERE email = ?");
  query.Bind(1, email);
  if (!query.Step() || query.ColumnText(1) != password) return std::nullopt;
  return query.ColumnInt(0);
}

std::string CommentBank::TeacherEmail(TeacherId teacher) {
  std::lock_guard<std::mutex> lock(mutex_);
  SqliteStatement query(connection_, "SELECT email FROM teachers WHERE id = ?");
  query.Bind(1, teacher);
  return query.Step() ? query.ColumnText(0) : std::string();
}

std::vector<std::string> CommentBank::Subjects(TeacherId teacher) {
  std::lock_guard<std::mutex> lock(mutex_);
  SqliteStatement query(connection_,
                        "SELECT name FROM subjects WHERE teacher_id = ? ORDER BY position, id");
  query.Bind(1, teacher);
  std::vector<std::string> names;
  while (query.Step()) names.push_back(query.ColumnText(0));
  return names;
}

std::optional<std::vector<BankTab>> CommentBank::Tabs(TeacherId teacher,
                                                      const std::string& subject) {
  std::lock_guard<std::mutex> lock(mutex_);
  SqliteStatement findSubject(connection_,
                              "SELECT id FROM subjects WHERE teacher_id = ? AND name = ?");
  findSubject.Bind(1, teacher).Bind(2, subject);
  if (!findSubject.Step()) return std::nullopt;
  const std::int64_t subjectId = findSubject.ColumnInt(0);

  // One pass over the subject's tabs joined with their comments, in display order; a tab
  // without comments still gives one row, with a NULL comment.
  SqliteStatement query(connection_,
                        "SELECT t.id, t.name, c.text FROM tabs t "
                        "LEFT JOIN comments c ON c.tab_id = t.id "
                        "WHERE t.subject_id = ? ORDER BY t.position, t.id, c.position, c.id");
  query.Bind(1, subjectId);
  std::vector<BankTab> tabs;
  std::int64_t currentTab = -1;
  while (query.Step()) {
    if (query.ColumnInt(0) != currentTab) {
      currentTab = query.ColumnInt(0);
      tabs.push_back(BankTab{query.ColumnText(1), {}});
    }
    if (query.ColumnIsNull(2)) continue;
    tabs.back().comments.push_back(query.ColumnText(2));
  }
  return tabs;
}

std::string CommentBank::IssueLoginKey(TeacherId teacher) {
  std::lock_guard<std::mutex> lock(mutex_);
  const std::string key = RandomToken();
  SqliteStatement insert(connection_, "INSERT INTO login_keys (key, teacher_id) VALUES (?, ?)");
  insert.Bind(1, key).Bind(2, teacher).Step();
  return key;
}

std::optional<TeacherId> CommentBank::RedeemLoginKey(const std::string& key) {
  std::lock_guard<std::mutex> lock(mutex_);
  SqliteStatement redeem(connection_,
                         "UPDATE login_keys SET used = 1 WHERE key = ? AND used = 0 "
                         "RETURNING teacher_id");
  redeem.Bind(1, key);
  if (!redeem.Step()) return std::nullopt;
  const TeacherId teacher = redeem.ColumnInt(0);
  while (redeem.Step()) {
  }
  return teacher;
}

std::string CommentBank::StartSession(TeacherId teacher) {
  std::lock_guard<std::mutex> lock(mutex_);
  const std::string token = RandomToken();
  SqliteStatement insert(connection_, "INSERT INTO sessions (token, teacher_id) VALUES (?, ?)");
  insert.Bind(1, token).Bind(2, teacher).Step();
  return token;
}

std::optional<TeacherId> CommentBank::SessionTeacher(const std::string& token) {
  std::lock_guard<std::mutex> lock(mutex_);
  SqliteStatement query(connection_, "SELECT teacher_id FROM sessions WHERE token = ?");
  query.Bind(1, token);
  if (!query.Step()) return std::nullopt;
  return query.ColumnInt(0);
}

}  // namespace quillbox::reference
