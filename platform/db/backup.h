#pragma once
// Backups of a company database and restores from them. A company file is
// copied with SQLite's online backup while clerks go on saving; a company on a
// server through the server's own pg_dump and pg_restore. Each is written
// beside its target and takes the target's name only whole and checked
// (integrity, the company's marker), so no partial backup or company is ever
// left under the final name.

#include <string>

namespace corvena::db {

// Whether the file, or the database on the server, is there at all.
bool companyExists(const std::string& name);

// Writes a backup of the company database to `file` (readable by its owner
// only); an existing file is replaced only when `replace`. A file company's
// backup is itself a company file, a server's a pg_dump archive.
void backupCompany(const std::string& database, const std::string& file, bool replace);

// Refuses, saying why, a file that is no sound company backup, before anything
// is touched; then puts the backup's company in place of `database`, making it
// when missing. An existing one is replaced, whole or not at all, only when
// `replace`, and only when it is a company database (a damaged one too); its
// clerks are disconnected on a server and wait on a file. The restored company
// starts with no one signed on. On a server its tables belong to the role that
// restored it and grant no one anything until the users' roles follow its users
// and rights again (signon::UserDirectory::followServerRoles).
void restoreCompany(const std::string& file, const std::string& database, bool replace);

}  // namespace corvena::db
