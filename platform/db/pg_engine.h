#pragma once
// What the PostgreSQL connection and its cursors share.

#include "platform/db/pq_library.h"

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>

#include "platform/db/connection.h"
#include "platform/db/pg_spelling.h"

namespace corvena::db::pg {

// A server error as a clerk reads it: a lost connection, a collision with another
// clerk's save, a lock held too long and a duplicate key each say so, in words of
// the company database rather than the server's own.
DbError error(const PGresult* result, PGconn* conn, const std::string& context);

// A name quoted for the server, as it is spelled.
std::string quotedName(const std::string& name);
// A company database's own roles: "owner" owns its tables and grants their
// rights; "release" may change AR rows already released.
std::string companyRole(const std::string& database, const std::string& purpose);

class PgConnection final : public Connection {
 public:
  explicit PgConnection(PGconn* conn);
  ~PgConnection() override;

  void exec(std::string_view script) override;
  std::unique_ptr<Cursor> prepare(const std::string& sql) override;
  void beginSave() override;
  void abandon() override;
  std::int64_t changes() const override { return changes_; }
  std::vector<std::string> columns(std::string_view table) override;
  std::vector<std::string> primaryKey(std::string_view table) override;
  bool hasTable(std::string_view name) override;
  void setLockWait(int milliseconds) override;
  std::vector<std::string> integrityProblems() override { return {}; }
  Database::Dialect dialect() const override { return Database::Dialect::PostgreSQL; }

  // The cursors' way to the server. A generation counts reconnections: a cursor
  // prepared in an earlier one prepares itself again.
  struct Prepared {
    std::string name;
    int params = 0;
    std::vector<std::string> columnNames;
    std::vector<unsigned> columnTables;
  };
  Prepared prepareNamed(const std::string& sql);
  void deallocate(const std::string& name, unsigned generation);
  PGresult* execPrepared(const std::string& name, const std::vector<const char*>& values);
  unsigned generation() const { return generation_; }
  // Makes a broken connection anew, or refuses every statement while a
  // transaction it broke in is not yet abandoned.
  void ensureConnected();
  // What the server keeps of a role's password, made here so the password itself
  // never travels in a statement the server might log.
  std::string passwordVerifier(const std::string& role, const std::string& password);
  const std::string& tableName(unsigned oid);

 private:
  // A result that succeeded, or the error it holds thrown, the result freed.
  PGresult* checked(PGresult* result, const std::string& context);
  std::vector<std::string> textColumn(const std::string& sql, const std::string& param);
  std::vector<std::string> spelledColumns(const std::string& sql, std::string_view table);
  PGconn* conn_;
  unsigned generation_ = 0;
  unsigned nextName_ = 0;
  bool lostInTransaction_ = false;
  bool transactionBefore_ = false;  // whether a transaction was open when the last call began
  std::int64_t changes_ = 0;
  std::unordered_map<unsigned, std::string> tables_;
  Spelling spelling_;
};

std::unique_ptr<Cursor> prepareCursor(PgConnection& conn, const std::string& sql);

}  // namespace corvena::db::pg
