#pragma once
// The company database: an SQLite file, or a database on a PostgreSQL server
// (named by a postgresql:// connection string). Text columns are stored
// right-trimmed and compare ignoring trailing blanks; dates are ISO text.
// Stored procedures are named statements kept in the database's catalogue.

#include <cstdint>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/db/record.h"

namespace corvena::db {

class DbError : public std::runtime_error {
 public:
  enum class Kind {
    Other,
    Damaged,    // the file is no database, or a damaged one
    Locked,     // another connection held a lock longer than the wait
    ReadOnly,   // the database cannot be written
    Duplicate,  // a unique key; the text reads "UNIQUE constraint failed: Table.Col, ..."
    Lost,       // the connection to the server broke; the transaction is gone
    Conflict,   // the server chose this transaction to give way to another
    SignOn,     // the server refused the user's role or password
    Denied,     // the user's server role lacks the right to the table
  };
  explicit DbError(const std::string& what, Kind kind = Kind::Other)
      : std::runtime_error(what), kind_(kind) {}
  Kind kind() const { return kind_; }
  bool damaged() const { return kind_ == Kind::Damaged; }
  bool locked() const { return kind_ == Kind::Locked; }
  bool duplicate() const { return kind_ == Kind::Duplicate; }

 private:
  Kind kind_;
};

using Value = std::variant<std::monostate, std::int64_t, double, std::string>;

class Cursor;
class Connection;
class StatementCache;

class Statement {
 public:
  Statement() = default;
  explicit Statement(std::unique_ptr<Cursor> owned);
  // Borrows a prepared statement from the cache; it is reset and returned when done.
  Statement(Cursor* borrowed, StatementCache* owner);
  Statement(Statement&&) noexcept;
  Statement& operator=(Statement&&) noexcept;
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;
  ~Statement();

  void bind(int index, const Value& v);  // 1-based
  // The record's field, which must outlive the step.
  void bindField(int index, const RecordRef& rec, const FieldDesc& f);
  bool step();                           // true while a row is current
  void reset();
  int columnCount() const;
  std::string columnName(int i) const;
  Value column(int i) const;
  // Copies the current row into the record, column to field by name, case-insensitive;
  // columns the record lacks are ignored, fields the row lacks keep their value.
  void readInto(const RecordRef& rec) const;
  bool valid() const { return stmt_ != nullptr; }
  int parameterCount() const;

 private:
  void release();
  void mapColumns(const RecordRef& rec) const;
  Cursor* stmt_ = nullptr;
  StatementCache* owner_ = nullptr;
  mutable const RecordLayout* mappedLayout_ = nullptr;
  mutable std::vector<const FieldDesc*> mapping_;
};

// The current row's values as text, columns separated by '|' (for reports and checks).
std::string rowText(const Statement& st);

// A record field as the value bound for its column: text right-trimmed, dates ISO.
Value fieldValue(const RecordRef& rec, const FieldDesc& f);

// A statement as screens write it, with every quoted literal lifted out into a
// bound parameter: plain SQL ("select * from customer where custid = 'C1'"),
// or a procedure call: the name, a blank, and literals separated by commas,
// blanks or nothing ("Name 'p1', 'p2'", "Name 'p1''p2'", "Name 'p1' 1").
struct Call {
  std::string procedure;      // empty for plain SQL
  std::string sql;            // plain SQL with literals replaced by ?N
  std::vector<Value> params;  // the literals, in order
};
Call parseCall(std::string_view text);  // throws DbError on an unterminated literal

class Database {
 public:
  struct Procedure {
    std::string name;
    int params = 0;
    std::vector<std::string> statements;
  };
  enum class Access { Edit, View };
  // Who signs on to a server database: the user's own server role and its
  // password, which the server checks. A file takes no one.
  struct Role {
    std::string user;
    std::string password;
  };
  enum class Dialect { SQLite, PostgreSQL };
  // Opens an existing company database; refuses a file or server database that is
  // not one. Opening only reads. A file or directory this process cannot write
  // opens for viewing, as does Access::View: then nothing is written and a
  // transaction is refused. A name starting "postgresql://" is a server database.
  static std::unique_ptr<Database> open(const std::string& path, Access access = Access::Edit,
                                        const Role& role = {});
  // Creates a new company database with the schema and procedures of every schema
  // directory; fails, leaving nothing behind, when it exists or cannot be written.
  static std::unique_ptr<Database> create(const std::string& path);
  // Removes a company database: the file with its journals, or the server database.
  static void remove(const std::string& path);
  static Dialect dialectOf(const std::string& path);
  // A server name that carries a password, which anyone may read where the name is shown.
  static bool namesPassword(const std::string& path);
  ~Database();

  const std::string& path() const { return path_; }
  Dialect dialect() const;
  bool viewOnly() const { return viewOnly_; }
  // Transactions that gave up waiting for another connection's lock.
  int lockTimeouts() const { return lockTimeouts_; }
  // How long a statement waits for another connection's lock (30 s unless set).
  void setLockWait(int milliseconds);
  // What the engine's own integrity check finds; empty when the database is sound.
  std::vector<std::string> integrityProblems();
  // After a company is filled in bulk: a server plans from statistics it would
  // otherwise gather only later, and meanwhile may plan for empty tables.
  void refreshStatistics();

  void exec(std::string_view script);  // statements without parameters
  Statement prepare(std::string_view sql);

  // Runs a statement or procedure call; for a row-returning one, the returned
  // statements' last one is positioned before its first row.
  // Throws DbError for an unknown procedure or a wrong parameter count.
  Statement run(std::string_view text);
  Statement run(const Call& call);

  // Inserts the record's fields into the same-named columns of the table.
  void insert(std::string_view table, const RecordRef& rec);
  void insert(std::string_view table, const std::vector<RecordRef>& rows);
  // The table's (or view's) column names; empty when there is no such table.
  const std::vector<std::string>& columns(std::string_view table);
  // The columns of the table's primary key, in key order; empty when it has none.
  const std::vector<std::string>& primaryKey(std::string_view table);
  bool hasProcedure(std::string_view name) const;
  // The catalogue's procedure of that name (any case), or nullptr.
  const Procedure* procedure(std::string_view name) const;

  void begin();
  void commit();
  void rollback();
  bool inTransaction() const;
  std::int64_t changes() const;
  // Statements run on the connection so far (see Connection::statementsRun).
  std::int64_t statementsRun() const;

 private:
  friend class ServerRoles;
  Database(std::unique_ptr<Connection> connection, std::string path, bool viewOnly);
  void createSchema();
  void loadProcedures(const std::vector<std::string>& dirs);
  Statement runStatement(const std::string& sql, const std::vector<Value>& params);
  void endTransaction(const std::string& sql);
  std::unique_ptr<Connection> conn_;
  std::string path_;
  bool viewOnly_;
  int depth_ = 0;
  int lockTimeouts_ = 0;
  std::unique_ptr<StatementCache> cache_;
  struct NoCase {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const;
  };
  std::map<std::string, std::vector<std::string>, NoCase> columns_, primaryKeys_;
  std::vector<std::unique_ptr<Procedure>> procedures_;
};

// Commits on commit(); rolls back when destroyed uncommitted.
class Transaction {
 public:
  explicit Transaction(Database& db) : db_(db) { db_.begin(); }
  ~Transaction() {
    if (!done_) db_.rollback();
  }
  void commit() {
    db_.commit();
    done_ = true;
  }

 private:
  Database& db_;
  bool done_ = false;
};

std::string readSqlFile(const std::string& path);
bool sqlFileReachable(const std::string& file);
// The schema scripts of a directory in the order they run: schema.sql, then the
// dialect's own (schema.sqlite.sql or schema.postgresql.sql) where there is one.
std::vector<std::string> schemaFiles(const std::string& dir, Database::Dialect dialect);

}  // namespace corvena::db

namespace corvena::db {

// The literal spellings that parameter functions write and parseCall reads back.
// Text drops trailing blanks and escapes a quote or backslash with a backslash,
// so "'%'" written by hand directly before a text literal still parses as two.
std::string textLiteral(std::string_view value);
std::string intLiteral(long value);
std::string floatLiteral(double value);
std::string dateLiteral(const Date& value);

}  // namespace corvena::db
