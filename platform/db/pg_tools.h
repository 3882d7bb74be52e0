#pragma once
// The server's own command-line tools (pg_dump, pg_restore), found as the
// tests' throwaway server finds its binaries: the newest installed PostgreSQL's.

#include <string>
#include <vector>

namespace corvena::db::pg {

// Runs the tool with the arguments, no shell between and nothing to read, so it
// never asks for a password; returns its output and errors together. Throws
// DbError opening with `failure` when it fails.
std::string runTool(const std::string& tool, const std::vector<std::string>& args,
                    const std::string& failure);

}  // namespace corvena::db::pg
