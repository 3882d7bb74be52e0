#include "platform/program/screen_options.h"

#include "platform/signon/shell_presence.h"

namespace corvena::program {

ScreenOptions parseScreenOptions(std::vector<std::string> args) {
  ScreenOptions options;
  try {
    options.signOn = signon::takeSignOnOptions(args);
  } catch (const signon::SignOnError& e) {
    throw UsageError(e.what());
  }
  for (std::size_t i = 0; i < args.size(); ++i) {
    const auto& arg = args[i];
    if (arg == "--script") {
      if (i + 1 >= args.size())
        throw UsageError("the option --script needs a file, or - for standard input");
      options.script = args[++i];
    } else if (arg == "--automate") {
      options.automate = true;
    } else if (arg.rfind("--script=", 0) == 0) {
      options.script = arg.substr(9);
    } else if (arg.rfind("--", 0) == 0 && arg.size() > 2) {
      throw UsageError("unknown option " + arg);
    } else {
      options.parameters.push_back(arg);
    }
  }
  return options;
}

std::optional<signon::SignOnContext> findSignOn(const ScreenOptions& options,
                                                const signon::EnvironmentLookup& env,
                                                bool mayWaitForShell) {
  if (auto context = signon::resolveSignOn(options.signOn, env)) return context;
  if (mayWaitForShell) return std::nullopt;
  const auto shell = signon::findShellPresence(signon::shellPresencePath());
  if (shell && shell->loginReady && shell->context) return shell->context;
  return std::nullopt;
}

}  // namespace corvena::program
