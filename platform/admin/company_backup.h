#pragma once
// corvena-db's backup and restore commands.

#include <string>
#include <vector>

namespace corvena::admin {

// corvena-db backup DATABASE FILE [--force] | restore FILE DATABASE [--force];
// the exit code.
int copyCommand(const std::vector<std::string>& args);

}  // namespace corvena::admin
