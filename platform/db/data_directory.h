#pragma once
// Where the programs find their SQL files, with or without the source tree.

#include <string>
#include <vector>

namespace corvena::db {

// share/ beside the running program's directory: a build's bin/ and an
// installation's lib/corvena/bin/ both have one. A program that has none (a
// test) reads the build's.
std::string dataDirectory();

// Where schema and procedure SQL files are read from, in order: the host's, then
// the module's. CORVENA_SCHEMA_PATH (colon-separated) overrides the list.
std::vector<std::string> schemaDirectories();

// The functions a server company needs before its schema.
std::string serverFunctionsFile();

}  // namespace corvena::db
