// A company on a server backed up and restored through the server's own tools,
// in their custom format. The archive leaves out who owns the tables and who
// holds rights on them: those follow the restored company's own users.

#include <unistd.h>

#include "platform/db/backup_engines.h"
#include "platform/db/pg_connection.h"
#include "platform/db/pg_tools.h"

namespace corvena::db::pg {

namespace {

// The marker's row as pg_restore writes corvena_meta's data.
constexpr const char* kMarkerRow = "\nformat\tcorvena-company\n";
constexpr std::size_t kStagedStem = 40;  // a server's names end at 63 characters

}  // namespace

void dump(const std::string& database, const std::string& file) {
  runTool("pg_dump", {"--format=custom", "--no-password", "--file=" + file, "--dbname=" + database},
          "pg_dump could not back up " + database);
}

void checkArchive(const std::string& file) {
  runTool("pg_restore", {"--file=/dev/null", file}, "it cannot be read whole");
  const std::string meta =
      runTool("pg_restore", {"--file=-", "--data-only", "--table=corvena_meta", file},
              "it cannot be read whole");
  if (meta.find(kMarkerRow) == std::string::npos) throw DbError("it holds no company database");
}

std::string stage(const std::string& file, const std::string& database) {
  const std::string staged = onDatabase(database, databaseOf(database).substr(0, kStagedStem) +
                                                      "_restore_" + std::to_string(::getpid()));
  create(staged);
  try {
    runTool("pg_restore",
            {"--no-owner", "--no-acl", "--single-transaction", "--exit-on-error", "--no-password",
             "--dbname=" + staged, file},
            "pg_restore could not restore " + file + "; " + database + " was not touched");
  } catch (...) {
    dropDatabase(staged);
    throw;
  }
  return staged;
}

}  // namespace corvena::db::pg
