#pragma once
// corvena-db's user commands: what Users and Rights keeps, from the command line.

#include <string>
#include <vector>

namespace corvena::admin {

// corvena-db user add|passwd|remove|grant|revoke|group|ungroup|list PATH ...; the exit code.
int userCommand(const std::vector<std::string>& args);

// Their usage, for the command's errors and corvena-db --help.
std::string userCommandsHelp();

}  // namespace corvena::admin
