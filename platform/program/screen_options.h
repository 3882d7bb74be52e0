#pragma once
// A screen program's command line, and the sign-on it finds from it.
//
//   PROGRAM [--script FILE|-] [--db PATH --user ID --company ID --date YYYY-MM-DD] [PARAMETERS]
//   PROGRAM --automate [...]: driven by another process over standard input and output

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/signon/sign_on_context.h"

namespace corvena::program {

class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct ScreenOptions {
  std::optional<std::string> script;  // a file, or "-" for standard input
  bool automate = false;              // requests on standard input, answers on standard output
  bool help = false;
  signon::SignOnOptions signOn;
  std::vector<std::string> parameters;  // passed on as the start parameters
};
// Throws UsageError for an option without its value or an unknown option.
ScreenOptions parseScreenOptions(std::vector<std::string> args);

// What --help prints; the manual pages are made from it.
std::string screenProgramHelp(const std::string& program, const std::string& caption);

inline constexpr std::string_view kNoSignOn =
    "No sign-on: give --db PATH --user ID --company ID [--date YYYY-MM-DD] (or CORVENA_DB, "
    "CORVENA_USER, CORVENA_COMPANY, CORVENA_DATE), or sign on in the host shell first.";

// The context from the options, else the environment, else a signed-on host
// shell's. A screen that may start the shell and wait for its login (at a desk)
// takes no shell's here. Throws SignOnError for a partial or bad context.
std::optional<signon::SignOnContext> findSignOn(const ScreenOptions& options,
                                                const signon::EnvironmentLookup& env,
                                                bool mayWaitForShell);

}  // namespace corvena::program
