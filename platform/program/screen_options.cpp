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
    } else if (arg == "--help") {
      options.help = true;
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

std::string screenProgramHelp(const std::string& program, const std::string& caption) {
  return program + " - " + caption +
         "\n\n"
         "usage: " + program + " [OPTIONS] [PARAMETERS]\n"
         "       " + program + " --script FILE [OPTIONS] [PARAMETERS]\n"
         "       " + program + " --automate [OPTIONS] [PARAMETERS]\n"
         "\n"
         "Opens the screen on the desk, signed on from the options, the environment or\n"
         "the host shell PARENT (started and waited for when nobody has signed on yet).\n"
         "Without a display it runs a screen script from standard input.\n"
         "\n"
         "Options:\n"
         "  --script FILE             run the screen script FILE (- for standard input) headless\n"
         "  --automate                be driven by another program: requests on standard input,\n"
         "                            answers on standard output\n" +
         signon::signOnOptionsHelp() +
         "  --help                    print this text\n"
         "\n"
         "Exit status:\n"
         "  0                         the screen closed, or every expectation of its script held\n"
         "  1                         an expectation of the script did not hold\n"
         "  2                         a wrong option, or a script command or control unknown\n"
         "  3                         no sign-on, no database, or the sign-on refused\n"
         "  4                         a fault ended the screen\n";
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
