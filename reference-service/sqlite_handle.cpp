#include "sqlite_handle.h"

#include <sqlite3.h>

namespace quillbox::reference {

namespace {

[[noreturn]] void Fail(sqlite3* db, const std::string& what) {
  throw SqliteError(what + ": " + (db ? sqlite3_errmsg(db) : "out of memory"));
}

}  // namespace

SqliteConnection::SqliteConnection(const std::string& path, bool createIfMissing) {
  const int flags = SQLITE_OPEN_READWRITE | (createIfMissing ? SQLITE_OPEN_CREATE : 0) |
                    SQLITE_OPEN_NOMUTEX;
  if (sqlite3_open_v2(path.c_str(), &db_, flags, nullptr) != SQLITE_OK) {
    const std::string message = db_ ? sqlite3_errmsg(db_) : "out of memory";
    sqlite3_close(db_);
    db_ = nullptr;
    throw SqliteError("cannot open " + path + ": " + message);
  }
  sqlite3_busy_timeout(db_, 5000);
}

SqliteConnection::~SqliteConnection() { sqlite3_close(db_); }

void SqliteConnection::Execute(const char* sql) {
  char* error = nullptr;
  if (sqlite3_exec(db_, sql, nullptr, nullptr, &error) != SQLITE_OK) {
    const std::string message = error ? error : "unknown error";
    sqlite3_free(error);
    throw SqliteError(message);
  }
}

std::int64_t SqliteConnection::LastInsertRowId() const { return sqlite3_last_insert_rowid(db_); }

SqliteStatement::SqliteStatement(const SqliteConnection& connection, const char* sql)
    : db_(connection.get()) {
  if (sqlite3_prepare_v2(db_, sql, -1, &statement_, nullptr) != SQLITE_OK) {
    Fail(db_, "cannot prepare statement");
  }
}

SqliteStatement::~SqliteStatement() { sqlite3_finalize(statement_); }

SqliteStatement& SqliteStatement::Bind(int position, std::string_view text) {
  if (sqlite3_bind_text(statement_, position, text.data(), static_cast<int>(text.size()),
                        SQLITE_TRANSIENT) != SQLITE_OK) {
    Fail(db_, "cannot bind text");
  }
  return *this;
}

SqliteStatement& SqliteStatement::Bind(int position, std::int64_t number) {
  if (sqlite3_bind_int64(statement_, position, number) != SQLITE_OK) {
    Fail(db_, "cannot bind number");
  }
  return *this;
}

bool SqliteStatement::Step() {
  const int result = sqlite3_step(statement_);
  if (result == SQLITE_ROW) return true;
  if (result == SQLITE_DONE) return false;
  Fail(db_, "statement failed");
}

std::string SqliteStatement::ColumnText(int column) const {
  const auto* text = sqlite3_column_text(statement_, column);
  const int length = sqlite3_column_bytes(statement_, column);
  return text ? std::string(reinterpret_cast<const char*>(text), static_cast<size_t>(length))
              : std::string();
}

std::int64_t SqliteStatement::ColumnInt(int column) const {
  return sqlite3_column_int64(statement_, column);
}

bool SqliteStatement::ColumnIsNull(int column) const {
  return sqlite3_column_type(statement_, column) == SQLITE_NULL;
}

}  // namespace quillbox::reference
