// The connection to a company database on a PostgreSQL server.

#include "platform/db/pg_engine.h"
#include "platform/db/pg_dialect.h"

namespace corvena::db::pg {

namespace {

// Saves take this advisory lock for their transaction: one save at a time, as
// on SQLite, so the checks a save makes in its transaction hold until it commits.
constexpr const char* kBeginSave =
    "BEGIN ISOLATION LEVEL READ COMMITTED; SELECT pg_advisory_xact_lock(2037148258)";
constexpr int kStatementRetries = 3;

bool inTransaction(PGconn* conn) {
  const auto s = pq().PQtransactionStatus(conn);
  return s == PQTRANS_INTRANS || s == PQTRANS_INERROR || s == PQTRANS_ACTIVE;
}

bool collided(const PGresult* result) {
  const char* state = pq().PQresultErrorField(result, PG_DIAG_SQLSTATE);
  return state && (std::string_view(state) == "40001" || std::string_view(state) == "40P01");
}

}  // namespace

PgConnection::PgConnection(PGconn* conn) : conn_(conn) { spelling_.learnSchema(); }

PgConnection::~PgConnection() { pq().PQfinish(conn_); }

PGresult* PgConnection::checked(PGresult* result, const std::string& context) {
  const auto status = pq().PQresultStatus(result);
  if (status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK) return result;
  const bool wasInTransaction = lostInTransaction_ || transactionBefore_;
  DbError e = error(result, conn_, context);
  pq().PQclear(result);
  if (e.kind() == DbError::Kind::Lost) lostInTransaction_ = wasInTransaction;
  throw e;
}

// A broken connection is made anew before the next statement, unless a
// transaction was open on it: then every statement fails until it is abandoned,
// so no part of a save runs on a fresh connection outside its transaction.
void PgConnection::ensureConnected() {
  if (lostInTransaction_)
    throw DbError("The connection to the company database server was lost during this save; "
                  "nothing of it was saved.",
                  DbError::Kind::Lost);
  transactionBefore_ = inTransaction(conn_);
  if (pq().PQstatus(conn_) == CONNECTION_OK) return;
  pq().PQreset(conn_);
  ++generation_;
  tables_.clear();
  if (pq().PQstatus(conn_) != CONNECTION_OK)
    throw DbError("The company database server cannot be reached; nothing was saved. Try again "
                  "when it is back.",
                  DbError::Kind::Lost);
}

std::string PgConnection::passwordVerifier(const std::string& role, const std::string& password) {
  ensureConnected();
  char* made = pq().PQencryptPasswordConn(conn_, password.c_str(), role.c_str(), "scram-sha-256");
  if (!made) throw DbError("The password cannot be made ready for the server: " +
                           std::string(pq().PQerrorMessage(conn_)));
  std::string verifier = made;
  pq().PQfreemem(made);
  return verifier;
}

void PgConnection::exec(std::string_view script) {
  ensureConnected();
  const std::string sql = toPostgres(script);
  countStatement();
  pq().PQclear(checked(pq().PQexec(conn_, sql.c_str()), sql));
}

std::unique_ptr<Cursor> PgConnection::prepare(const std::string& sql) {
  ensureConnected();
  return prepareCursor(*this, sql);
}

PgConnection::Prepared PgConnection::prepareNamed(const std::string& sql) {
  ensureConnected();
  Prepared p;
  p.name = "c" + std::to_string(++nextName_);
  pq().PQclear(checked(pq().PQprepare(conn_, p.name.c_str(), sql.c_str(), 0, nullptr), sql));
  PGresult* d = checked(pq().PQdescribePrepared(conn_, p.name.c_str()), sql);
  p.params = pq().PQnparams(d);
  for (int i = 0; i < pq().PQnfields(d); ++i) {
    const unsigned table = pq().PQftable(d, i);
    p.columnNames.push_back(spelling_.of(pq().PQfname(d, i), table ? tableName(table) : "", sql));
    p.columnTables.push_back(pq().PQftable(d, i));
  }
  pq().PQclear(d);
  return p;
}

// A statement prepared on a connection since lost went with it; one that cannot
// be closed now (the transaction failed) is closed with the connection.
void PgConnection::deallocate(const std::string& name, unsigned generation) {
  if (generation != generation_ || pq().PQstatus(conn_) != CONNECTION_OK ||
      pq().PQtransactionStatus(conn_) == PQTRANS_INERROR)
    return;
  pq().PQclear(pq().PQexec(conn_, ("DEALLOCATE " + name).c_str()));
}

// A statement outside a save that collides with another clerk's runs again: it is
// its own transaction, so nothing of it was written.
PGresult* PgConnection::execPrepared(const std::string& name, const std::vector<const char*>& values) {
  ensureConnected();
  for (int attempt = 0;; ++attempt) {
    countStatement();
    PGresult* r = pq().PQexecPrepared(conn_, name.c_str(), static_cast<int>(values.size()),
                                 values.data(), nullptr, nullptr, 0);
    if (collided(r) && !inTransaction(conn_) && attempt < kStatementRetries) {
      pq().PQclear(r);
      continue;
    }
    r = checked(r, "");
    const char* n = pq().PQcmdTuples(r);
    changes_ = n && *n ? std::strtoll(n, nullptr, 10) : 0;
    return r;
  }
}

void PgConnection::beginSave() {
  ensureConnected();
  countStatement();
  PGresult* r = pq().PQexec(conn_, kBeginSave);
  if (pq().PQresultStatus(r) != PGRES_TUPLES_OK && pq().PQstatus(conn_) == CONNECTION_OK)
    pq().PQclear(pq().PQexec(conn_, "ROLLBACK"));
  pq().PQclear(checked(r, ""));
}

void PgConnection::abandon() {
  lostInTransaction_ = false;
  if (pq().PQstatus(conn_) == CONNECTION_OK && inTransaction(conn_)) pq().PQclear(pq().PQexec(conn_, "ROLLBACK"));
}

std::vector<std::string> PgConnection::textColumn(const std::string& sql, const std::string& param) {
  ensureConnected();
  const char* values[] = {param.c_str()};
  PGresult* r = checked(pq().PQexecParams(conn_, sql.c_str(), 1, nullptr, values, nullptr, nullptr, 0), sql);
  std::vector<std::string> out;
  for (int i = 0; i < pq().PQntuples(r); ++i) out.emplace_back(pq().PQgetvalue(r, i, 0));
  pq().PQclear(r);
  return out;
}

std::vector<std::string> PgConnection::spelledColumns(const std::string& sql, std::string_view table) {
  auto names = textColumn(sql, std::string(table));
  for (auto& n : names) n = spelling_.of(n, std::string(table), "");
  return names;
}

std::vector<std::string> PgConnection::columns(std::string_view table) {
  return spelledColumns(
      "SELECT attname FROM pg_attribute WHERE attrelid = to_regclass(lower($1)) AND attnum > 0 "
      "AND NOT attisdropped ORDER BY attnum",
      table);
}

std::vector<std::string> PgConnection::primaryKey(std::string_view table) {
  return spelledColumns(
      "SELECT a.attname FROM pg_index i JOIN pg_attribute a ON a.attrelid = i.indrelid "
      "AND a.attnum = ANY (i.indkey) WHERE i.indrelid = to_regclass(lower($1)) AND i.indisprimary "
      "ORDER BY array_position(i.indkey, a.attnum)",
      table);
}

bool PgConnection::hasTable(std::string_view name) {
  return !textColumn("SELECT 1 WHERE to_regclass(lower($1)) IS NOT NULL", std::string(name)).empty();
}

void PgConnection::setLockWait(int milliseconds) {
  exec("SET lock_timeout = " + std::to_string(std::max(milliseconds, 1)));
}

const std::string& PgConnection::tableName(unsigned oid) {
  auto it = tables_.find(oid);
  if (it == tables_.end()) {
    const auto names = textColumn("SELECT relname FROM pg_class WHERE oid = $1::oid", std::to_string(oid));
    it = tables_.emplace(oid, names.empty() ? std::string() : names[0]).first;
  }
  return it->second;
}

}  // namespace corvena::db::pg
