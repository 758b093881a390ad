#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace quillbox::reference {

class SqliteError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// One open SQLite database; closed on destruction.
class SqliteConnection {
 public:
  // Opens (createIfMissing: or creates) the file; throws SqliteError on failure.
  SqliteConnection(const std::string& path, bool createIfMissing);
  ~SqliteConnection();
  SqliteConnection(const SqliteConnection&) = delete;
  SqliteConnection& operator=(const SqliteConnection&) = delete;

  // Runs statements without parameters (schema, transactions).
  void Execute(const char* sql);
  // Row id given by the last successful INSERT on this connection.
  std::int64_t LastInsertRowId() const;
  sqlite3* get() const { return db_; }

 private:
  sqlite3* db_ = nullptr;
};

// One prepared statement with parameters bound by position (counted from 1); finalised on
// destruction.
class SqliteStatement {
 public:
  SqliteStatement(const SqliteConnection& connection, const char* sql);
  ~SqliteStatement();
  SqliteStatement(const SqliteStatement&) = delete;
  SqliteStatement& operator=(const SqliteStatement&) = delete;

  SqliteStatement& Bind(int position, std::string_view text);
  SqliteStatement& Bind(int position, std::int64_t number);

  // Advances to the next row; false when there are no more rows.
  bool Step();
  std::string ColumnText(int column) const;
  std::int64_t ColumnInt(int column) const;
  bool ColumnIsNull(int column) const;

 private:
  sqlite3* db_;
  sqlite3_stmt* statement_ = nullptr;
};

}  // namespace quillbox::reference
