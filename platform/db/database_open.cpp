// Opening, creating and removing company databases: the name chooses the engine.

#include <filesystem>

#include "platform/db/connection.h"
#include "platform/db/data_directory.h"
#include "platform/db/pg_connection.h"
#include "platform/db/sqlite_connection.h"

namespace corvena::db {

Database::Dialect Database::dialectOf(const std::string& path) {
  return pg::isServerName(path) ? Dialect::PostgreSQL : Dialect::SQLite;
}

bool Database::namesPassword(const std::string& path) {
  return pg::isServerName(path) && pg::namesPassword(path);
}

std::unique_ptr<Database> Database::open(const std::string& path, Access access, const Role& role) {
  Opened opened = dialectOf(path) == Dialect::PostgreSQL ? pg::open(path, access, role)
                                                         : sqlite::open(path, access);
  std::unique_ptr<Database> db(new Database(std::move(opened.connection), path, opened.viewOnly));
  db->loadProcedures(schemaDirectories());
  return db;
}

std::unique_ptr<Database> Database::create(const std::string& path) {
  const bool server = dialectOf(path) == Dialect::PostgreSQL;
  std::unique_ptr<Database> db(
      new Database(server ? pg::create(path) : sqlite::create(path), path, false));
  try {
    db->createSchema();
  } catch (...) {
    db.reset();
    remove(path);
    throw;
  }
  return db;
}

void Database::createSchema() {
  Transaction tx(*this);
  exec("CREATE TABLE corvena_meta (key TEXT PRIMARY KEY, value TEXT NOT NULL);"
       "INSERT INTO corvena_meta VALUES ('format', 'corvena-company');");
  if (dialect() == Dialect::PostgreSQL) exec(readSqlFile(serverFunctionsFile()));
  for (const auto& dir : schemaDirectories())
    for (const auto& file : schemaFiles(dir, dialect())) exec(readSqlFile(file));
  tx.commit();
  loadProcedures(schemaDirectories());
}

void Database::remove(const std::string& path) {
  if (dialectOf(path) == Dialect::PostgreSQL)
    pg::drop(path);
  else
    sqlite::removeFiles(path);
}

std::vector<std::string> schemaFiles(const std::string& dir, Database::Dialect dialect) {
  std::vector<std::string> files;
  const char* own = dialect == Database::Dialect::PostgreSQL ? "schema.postgresql.sql"
                                                             : "schema.sqlite.sql";
  for (const char* name : {"schema.sql", own}) {
    const auto file = std::filesystem::path(dir) / name;
    if (std::filesystem::exists(file)) files.push_back(file.string());
  }
  return files;
}

}  // namespace corvena::db
