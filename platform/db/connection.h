#pragma once
// The seam between the company database and the engine that keeps it: a
// Connection runs scripts and prepares Cursors; Database, Statement and the
// procedure catalogue are written once against these two.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/db/database.h"

namespace corvena::db {

class Cursor {
 public:
  virtual ~Cursor() = default;
  virtual void bind(int index, const Value& v) = 0;  // 1-based
  // Text that stays as it is until the cursor is stepped or reset: not copied where
  // the engine can read it in place.
  virtual void bindText(int index, std::string_view text) { bind(index, std::string(text)); }
  virtual bool step() = 0;
  virtual void reset() = 0;  // back before the first row, bindings cleared
  virtual int parameterCount() const = 0;
  virtual int columnCount() const = 0;
  virtual std::string columnName(int i) const = 0;
  // The table a result column is read from; empty for an expression.
  virtual std::string columnTable(int i) const = 0;
  virtual Value column(int i) const = 0;
  // The current row's column as text and as a number, without a Value in between.
  virtual std::string_view text(int i) const = 0;
  virtual double real(int i) const = 0;
};

class Connection {
 public:
  virtual ~Connection() = default;
  virtual void exec(std::string_view script) = 0;
  virtual std::unique_ptr<Cursor> prepare(const std::string& sql) = 0;
  // The outermost transaction of a save: one writer at a time, as a save holds.
  virtual void beginSave() = 0;
  // Ends the transaction the connection may still hold after a failure; never throws.
  virtual void abandon() = 0;
  virtual std::int64_t changes() const = 0;
  virtual std::vector<std::string> columns(std::string_view table) = 0;
  virtual std::vector<std::string> primaryKey(std::string_view table) = 0;
  virtual bool hasTable(std::string_view name) = 0;
  virtual void setLockWait(int milliseconds) = 0;
  // What the engine's own check finds wrong; empty when the database is sound.
  virtual std::vector<std::string> integrityProblems() = 0;
  virtual Database::Dialect dialect() const = 0;

  // Statements the engine was asked to run, each once however many rows it gave:
  // on a server, a round trip each.
  std::int64_t statementsRun() const { return statementsRun_; }
  void countStatement() { ++statementsRun_; }

 private:
  std::int64_t statementsRun_ = 0;
};

struct Opened {
  std::unique_ptr<Connection> connection;
  bool viewOnly = false;
};

}  // namespace corvena::db
