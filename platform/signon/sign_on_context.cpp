#include "platform/signon/sign_on_context.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>

#include "platform/db/database.h"
#include "platform/db/host_records.h"

namespace corvena::signon {

namespace {

struct OptionSpec {
  const char* flag;
  std::optional<std::string> SignOnOptions::*slot;
  const char* value;
  const char* help;
  const char* variable;
};

const OptionSpec optionSpecs[] = {
    {"--db", &SignOnOptions::database, "DATABASE",
     "the company database: a file, or postgresql://host[:port]/name", "CORVENA_DB"},
    {"--user", &SignOnOptions::user, "ID", "the user who signs on", "CORVENA_USER"},
    {"--company", &SignOnOptions::company, "ID", "the company", "CORVENA_COMPANY"},
    {"--date", &SignOnOptions::date, "YYYY-MM-DD", "the business date; today when not given",
     "CORVENA_DATE"},
    {"--password-file", &SignOnOptions::passwordFile, "FILE",
     "the user's password, read from FILE (at most 1024 bytes)", "CORVENA_PASSWORD"},
};


// True when args[i] is one of the sign-on options; it and its value are then consumed.
bool takeOption(std::vector<std::string>& args, std::size_t i, SignOnOptions& out) {
  for (const auto& spec : optionSpecs) {
    const std::string flag = spec.flag;
    const std::string& arg = args[i];
    if (arg == flag) {
      if (i + 1 >= args.size()) throw SignOnError("the option " + flag + " needs a value");
      out.*spec.slot = args[i + 1];
      args.erase(args.begin() + static_cast<long>(i), args.begin() + static_cast<long>(i) + 2);
      return true;
    }
    if (arg.rfind(flag + "=", 0) == 0) {
      out.*spec.slot = arg.substr(flag.size() + 1);
      args.erase(args.begin() + static_cast<long>(i));
      return true;
    }
  }
  return false;
}

std::optional<std::string> pick(const std::optional<std::string>& option,
                                const EnvironmentLookup& env, const char* variable) {
  if (option) return option;
  auto value = env(variable);
  if (value && value->empty()) return std::nullopt;
  return value;
}

}  // namespace

std::string signOnOptionsHelp() {
  std::string text;
  for (const auto& spec : optionSpecs) {
    std::string term = std::string(spec.flag) + " " + spec.value;
    term.resize(std::max<std::size_t>(term.size() + 2, 26), ' ');
    text += "  " + term + spec.help + " (or " + spec.variable + ")\n";
  }
  return text;
}

// Read no further than a password file can be: /dev/zero or a log given by
// mistake is refused, not read to the end.
std::string readPasswordFile(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw SignOnError("cannot read the password file " + path);
  std::string text(kLongestPasswordFile + 1, '\0');
  std::size_t got = 0;
  for (ssize_t n; got < text.size() && (n = ::read(fd, &text[got], text.size() - got)) > 0;)
    got += static_cast<std::size_t>(n);
  ::close(fd);
  if (got > kLongestPasswordFile)
    throw SignOnError("the password file " + path + " is longer than " +
                      std::to_string(kLongestPasswordFile) + " bytes: it must hold the password alone");
  text.resize(got);
  std::string line = text.substr(0, text.find('\n'));
  if (!line.empty() && line.back() == '\r') line.pop_back();
  if (got == 0) throw SignOnError("the password file " + path + " is empty");
  return line;
}

void refusePasswordIn(const std::string& database) {
  if (db::Database::namesPassword(database)) throw SignOnError(std::string(kPasswordNotOnCommandLine));
}

std::vector<std::string> SignOnContext::toArguments() const {
  return {"--db", database, "--user", user, "--company", company, "--date", businessDate.iso()};
}

EnvironmentLookup processEnvironment() {
  return [](const std::string& name) -> std::optional<std::string> {
    const char* v = std::getenv(name.c_str());
    if (!v) return std::nullopt;
    return std::string(v);
  };
}

SignOnOptions takeSignOnOptions(std::vector<std::string>& args) {
  SignOnOptions out;
  for (std::size_t i = 0; i < args.size();) {
    if (args[i] == "--") break;
    if (args[i] == "--password" || args[i].rfind("--password=", 0) == 0)
      throw SignOnError(std::string(kPasswordNotOnCommandLine));
    if (!takeOption(args, i, out)) ++i;
  }
  if (out.database) refusePasswordIn(*out.database);
  return out;
}

std::optional<SignOnContext> resolveSignOn(const SignOnOptions& options,
                                           const EnvironmentLookup& env) {
  const auto database = pick(options.database, env, "CORVENA_DB");
  const auto user = pick(options.user, env, "CORVENA_USER");
  const auto company = pick(options.company, env, "CORVENA_COMPANY");
  const auto date = pick(options.date, env, "CORVENA_DATE");
  if (!database && !user && !company && !date) return std::nullopt;

  std::string missing;
  if (!database || database->empty()) missing += " database (--db)";
  if (!user || user->empty()) missing += " user (--user)";
  if (!company || company->empty()) missing += " company (--company)";
  if (!missing.empty()) throw SignOnError("incomplete sign-on context, missing:" + missing);

  if (auto problem = userNameProblem(*user)) throw SignOnError(*problem);
  // The database goes on to the command lines of the programs this one starts.
  refusePasswordIn(*database);
  SignOnContext ctx{*database, *user, *company, localToday(), "", env("CORVENA_TICKET").value_or("")};
  if (options.passwordFile)
    ctx.password = readPasswordFile(*options.passwordFile);
  else
    ctx.password = env("CORVENA_PASSWORD").value_or("");
  if (date && !Date::parseIso(*date, ctx.businessDate))
    throw SignOnError("the business date \"" + *date + "\" is not a date (YYYY-MM-DD)");
  return ctx;
}

Date localToday() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return Date{static_cast<std::uint16_t>(local.tm_year + 1900),
              static_cast<std::uint8_t>(local.tm_mon + 1),
              static_cast<std::uint8_t>(local.tm_mday)};
}

}  // namespace corvena::signon

namespace corvena::signon {

std::optional<std::string> userNameProblem(const std::string& user) {
  const std::size_t longest = ARDoc::layout().find("Crtd_User")->width;
  if (user.size() <= longest) return std::nullopt;
  return "the user name \"" + user + "\" is longer than " + std::to_string(longest) +
         " characters, the longest a user name can be";
}

}  // namespace corvena::signon
