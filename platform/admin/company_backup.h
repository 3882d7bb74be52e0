#pragma once
// corvena-db's backup and restore commands.

#include <string>
#include <vector>

namespace corvena::admin {

// corvena-db backup DATABASE FILE [--force] | restore FILE DATABASE [--force];
// the exit code.
int copyCommand(const std::vector<std::string>& args);

// Their usage, for the command's errors and corvena-db --help.
std::string copyCommandsHelp();

}  // namespace corvena::admin
