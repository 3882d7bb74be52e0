#include "platform/db/database.h"

#include <algorithm>

#include "platform/db/connection.h"
#include "platform/db/statement_cache.h"

namespace corvena::db {

Database::Database(std::unique_ptr<Connection> connection, std::string path, bool viewOnly)
    : conn_(std::move(connection)),
      path_(std::move(path)),
      viewOnly_(viewOnly),
      cache_(std::make_unique<StatementCache>(*conn_)) {}

Database::~Database() {
  procedures_.clear();
  cache_.reset();
}

Database::Dialect Database::dialect() const { return conn_->dialect(); }

void Database::exec(std::string_view script) { conn_->exec(script); }

void Database::setLockWait(int milliseconds) { conn_->setLockWait(milliseconds); }

std::vector<std::string> Database::integrityProblems() { return conn_->integrityProblems(); }

void Database::refreshStatistics() {
  if (dialect() == Dialect::PostgreSQL) exec("ANALYZE");
}

const std::vector<std::string>& Database::primaryKey(std::string_view table) {
  auto it = primaryKeys_.find(table);
  if (it == primaryKeys_.end())
    it = primaryKeys_.emplace(std::string(table), conn_->primaryKey(table)).first;
  return it->second;
}

Statement Database::prepare(std::string_view sql) {
  std::string text(sql);
  if (Cursor* st = cache_->acquire(text)) return Statement(st, cache_.get());
  return Statement(conn_->prepare(text));
}

Statement Database::runStatement(const std::string& sql, const std::vector<Value>& params) {
  Statement st = prepare(sql);
  const int wanted = st.parameterCount();
  for (int i = 0; i < wanted && i < static_cast<int>(params.size()); ++i) st.bind(i + 1, params[i]);
  return st;
}

Statement Database::run(std::string_view text) { return run(parseCall(text)); }

void Database::insert(std::string_view table, const RecordRef& rec) { insert(table, std::vector{rec}); }

// Many rows go in one statement, not one each: on a server each statement is a
// round trip. Full statements share one text, so each is prepared once.
void Database::insert(std::string_view table, const std::vector<RecordRef>& rows) {
  if (rows.empty()) return;
  const auto& cols = columns(table);
  if (cols.empty()) throw DbError("No such table: " + std::string(table));
  std::vector<const FieldDesc*> fields;
  std::string names, marks;
  for (const auto& c : cols) {
    if (const FieldDesc* f = rows.front().layout->find(c)) {
      names += (fields.empty() ? "" : ", ") + c;
      marks += fields.empty() ? "(?" : ", ?";
      fields.push_back(f);
    }
  }
  marks += ")";
  // Both engines take some thousands of parameters to a statement; stay well under.
  constexpr std::size_t kMostParameters = 8000;
  const std::size_t perStatement = std::clamp<std::size_t>(kMostParameters / fields.size(), 1, 200);
  for (std::size_t first = 0; first < rows.size(); first += perStatement) {
    const std::size_t count = std::min(perStatement, rows.size() - first);
    std::string sql = "INSERT INTO " + std::string(table) + " (" + names + ") VALUES " + marks;
    for (std::size_t r = 1; r < count; ++r) sql += ", " + marks;
    Statement st = prepare(sql);
    int i = 0;
    for (std::size_t r = first; r < first + count; ++r)
      for (const FieldDesc* f : fields) st.bindField(++i, rows[r], *f);
    st.step();
  }
}

bool Database::NoCase::operator()(std::string_view a, std::string_view b) const {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) < std::tolower(static_cast<unsigned char>(y));
  });
}

// Tables do not change under a connection; their shape is asked on every save.
const std::vector<std::string>& Database::columns(std::string_view table) {
  auto it = columns_.find(table);
  if (it == columns_.end()) it = columns_.emplace(std::string(table), conn_->columns(table)).first;
  return it->second;
}

// Nested begins become savepoints, so a procedure that opens its own
// transaction still takes part in the caller's save.
void Database::begin() {
  if (viewOnly_)
    throw DbError("The company database " + path_ +
                      " is open for viewing only (it cannot be written here); nothing can be saved.",
                  DbError::Kind::ReadOnly);
  try {
    if (depth_ == 0)
      conn_->beginSave();
    else
      exec("SAVEPOINT s" + std::to_string(depth_));
  } catch (const DbError& e) {
    if (e.locked()) ++lockTimeouts_;
    throw;
  }
  ++depth_;
}

void Database::commit() {
  if (depth_ == 0) throw DbError("Commit without a transaction.");
  endTransaction(depth_ == 1 ? std::string("COMMIT") : "RELEASE s" + std::to_string(depth_ - 1));
}

void Database::rollback() {
  if (depth_ == 0) return;
  const std::string sp = "s" + std::to_string(depth_ - 1);
  try {
    endTransaction(depth_ == 1 ? std::string("ROLLBACK") : "ROLLBACK TO " + sp + "; RELEASE " + sp);
  } catch (const DbError&) {
    if (depth_ != 0) throw;
  }
}

// A transaction the server lost or gave up is over at every level: the levels
// still open end without a word to the server, so the callers' own rollbacks
// unwind quietly and the next save begins afresh.
void Database::endTransaction(const std::string& sql) {
  --depth_;
  try {
    exec(sql);
  } catch (const DbError& e) {
    if (e.kind() != DbError::Kind::Lost && e.kind() != DbError::Kind::Conflict) throw;
    conn_->abandon();
    depth_ = 0;
    throw;
  }
}

bool Database::inTransaction() const { return depth_ > 0; }

std::int64_t Database::changes() const { return conn_->changes(); }

std::int64_t Database::statementsRun() const { return conn_->statementsRun(); }

}  // namespace corvena::db
