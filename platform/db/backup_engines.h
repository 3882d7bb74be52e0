#pragma once
// Each engine's part of backups and restores (platform/db/backup.h).

#include <string>

namespace corvena::db {

namespace sqlite {
// Copies the company `from` page by page into `to` in one read of `from`: the
// saves committed when it began, while clerks go on saving. `to` is an empty
// file, or a company database replaced whole in one transaction of its own; it
// is left in the journal mode given.
void copyCompany(const std::string& from, const std::string& to, const char* journalMode);
}  // namespace sqlite

namespace pg {
// pg_dump's custom format, into the file, which exists and is overwritten.
void dump(const std::string& database, const std::string& file);
// Reads the whole archive and finds the company's marker in it; throws saying
// what is wrong ("it ...") when either fails.
void checkArchive(const std::string& file);
// The archive restored, all or nothing, into a new database beside `database`
// (tables owned by whoever restores, no rights granted); its name.
std::string stage(const std::string& file, const std::string& database);
}  // namespace pg

}  // namespace corvena::db
