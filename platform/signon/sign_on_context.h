#pragma once
// The sign-on context a screen runs in: company database, user, company and
// business date. The host shell passes it on the command line; scripts and tests
// give it as options or through the environment (options win, field by field).

#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/db/record.h"

namespace corvena::signon {

// Said for a password on the command line, or inside a connection string there.
inline constexpr std::string_view kPasswordNotOnCommandLine =
    "a password is never given on the command line, nor in the database's connection string; "
    "give --password-file PATH or set CORVENA_PASSWORD";
// The longest password file read; a longer one is refused.
inline constexpr std::size_t kLongestPasswordFile = 1024;

class SignOnError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct SignOnContext {
  std::string database;
  std::string user;
  std::string company;
  Date businessDate;
  // Never on a command line: the password from a file or the environment, the
  // ticket of the sign-on that started this program from the environment.
  std::string password;
  std::string ticket;

  // The options that carry this context to a program the shell starts.
  std::vector<std::string> toArguments() const;
};

using EnvironmentLookup = std::function<std::optional<std::string>(const std::string&)>;
EnvironmentLookup processEnvironment();

// The sign-on options found among the arguments, removed from them.
struct SignOnOptions {
  std::optional<std::string> database, user, company, date, passwordFile;
  bool any() const { return database || user || company || date; }
};
// Takes "--db PATH", "--user ID", "--company ID", "--date YYYY-MM-DD", "--password-file
// PATH" (or "--db=PATH" ...) out of args. Throws SignOnError for an option without
// its value, and for a password given on the command line (also inside --db's
// connection string), where anyone can read it in the process list.
SignOnOptions takeSignOnOptions(std::vector<std::string>& args);
// Those options for a program's --help, one a line.
std::string signOnOptionsHelp();

// Nothing when neither options nor environment name any part of a context.
// A partial context throws SignOnError naming what is missing; a bad date or
// user name likewise.
// A missing business date is today's date (the machine's local calendar).
std::optional<SignOnContext> resolveSignOn(const SignOnOptions& options,
                                           const EnvironmentLookup& env);

Date localToday();

// A password file's first line; one that cannot be read, is empty or is longer
// than kLongestPasswordFile throws SignOnError.
std::string readPasswordFile(const std::string& path);
// Throws SignOnError (kPasswordNotOnCommandLine) for a connection string that carries a password.
void refusePasswordIn(const std::string& database);

// Why the user name cannot sign on (longer than the audit columns that record
// who saved a row, so it would be stored cut short); nothing when it can.
std::optional<std::string> userNameProblem(const std::string& user);

}  // namespace corvena::signon
