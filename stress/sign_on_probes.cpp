// The sign-on attacked as a second Unix user and a guessing clerk would: the
// shell's presence file, stolen and outlived tickets, what refusals cost, and
// the server's hold-off. A second Unix user (nobody) is taken only as root.
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>
#include <thread>

#include "platform/db/database.h"
#include "platform/demo/first_users.h"
#include "platform/demo/demo_data.h"
#include "platform/signon/password_hash.h"
#include "platform/signon/company_sign_on.h"
#include "platform/signon/shell_presence.h"
#include "platform/signon/user_directory.h"
#include "stress/harness.h"

namespace corvena::stress {

namespace {

using Seconds = std::chrono::duration<double>;

const passwd* secondUser() { return ::geteuid() == 0 ? ::getpwnam("nobody") : nullptr; }

// `work`'s exit code, run in a child process as the second Unix user.
int asSecondUser(const std::function<int()>& work) {
  const passwd* other = secondUser();
  const pid_t pid = ::fork();
  if (pid == 0) {
    if (::setgid(other->pw_gid) != 0 || ::setuid(other->pw_uid) != 0) _exit(126);
    // The child must never unwind into the harness it was forked from.
    try {
      _exit(work());
    } catch (...) {
      _exit(124);
    }
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 125;
}

void skipped(ProbeResult& r, const std::string& why) { r.notes.push_back("skipped: " + why); }

void expect(ProbeResult& r, bool held, const std::string& what) {
  ++r.trials;
  if (held) return;
  ++r.failures;
  r.notes.push_back(what);
}

std::string range(std::vector<double> seconds) {
  std::sort(seconds.begin(), seconds.end());
  char text[96];
  std::snprintf(text, sizeof text, "%.3f-%.3f s (median %.3f)", seconds.front(), seconds.back(),
                seconds[seconds.size() / 2]);
  return text;
}

std::optional<signon::SignOnRefusal> signOnWithTicket(const std::string& database,
                                                     const std::string& ticket) {
  signon::SignedOn out;
  return signon::openForUser({database, "CLERK2", "DEMO", demo::kDemoToday, "", ticket}, out);
}

}  // namespace

// A company file with the demo's users, in a directory the second user may enter
// and a file they may write, as the attack had it.
std::string Harness::signOnCompany() {
  const std::string dir = work_ + "/shared";
  ::chmod(work_.c_str(), 0711);
  if (std::filesystem::exists(dir + "/signon.db")) return dir + "/signon.db";
  std::filesystem::create_directories(dir);
  std::filesystem::permissions(dir, std::filesystem::perms::all);
  auto db = db::Database::create(dir + "/signon.db");
  demo::fillScaled(*db, 1, 1);
  demo::addDemoUsers(*db);
  for (const auto& file : std::filesystem::directory_iterator(dir))
    std::filesystem::permissions(file.path(), std::filesystem::perms::owner_read |
                                                  std::filesystem::perms::owner_write |
                                                  std::filesystem::perms::others_read |
                                                  std::filesystem::perms::others_write);
  return dir + "/signon.db";
}

ProbeResult Harness::presenceAndTickets() {
  ProbeResult r{"a second Unix user and the sign-on"};
  const passwd* other = secondUser();
  if (!other) {
    skipped(r, ::geteuid() != 0 ? "not root: no second Unix user to be" : "no user nobody");
    return r;
  }
  const std::string company = signOnCompany(), shared = work_ + "/shared";
  // The second user makes the directory and a temporary file first, open to all.
  const std::string planted = shared + "/planted";
  asSecondUser([&] {
    ::mkdir(planted.c_str(), 0777);
    ::chmod(planted.c_str(), 0777);
    const int fd = ::open((planted + "/shell.tmp").c_str(), O_CREAT | O_WRONLY, 0666);
    return fd >= 0 && ::fchmod(fd, 0666) == 0 ? 0 : 1;
  });
  signon::ShellPresence presence{::getpid(), true, signon::SignOnContext{company, "CLERK2", "DEMO"}};
  presence.context->ticket = "T";
  bool refused = false;
  try {
    signon::publishShellPresence(presence, planted + "/shell");
  } catch (const signon::PresenceRefused&) {
    refused = true;
  }
  std::error_code unread;
  expect(r, refused && std::filesystem::file_size(planted + "/shell.tmp", unread) == 0 && !unread,
         "the shell wrote its sign-on into a directory the second user made");
  // The shell's own presence cannot be read by the second user.
  const std::string own = shared + "/own/shell";
  signon::publishShellPresence(presence, own);
  expect(r, asSecondUser([&] { return ::open(own.c_str(), O_RDONLY) < 0 ? 0 : 1; }) == 0,
         "the second user read the shell's presence file");
  // A ticket the second user stole signs nothing on; one issued to them does.
  std::string stolen, theirs;
  {
    auto db = db::Database::open(company);
    signon::UserDirectory users(*db);
    const auto now = std::chrono::system_clock::now();
    stolen = users.issueTicket("CLERK2", now, ::geteuid());
    theirs = users.issueTicket("CLERK2", now, other->pw_uid);
  }
  expect(r, asSecondUser([&] { return signOnWithTicket(company, stolen) ? 0 : 1; }) == 0,
         "a ticket stolen by the second user signed CLERK2 on");
  expect(r, asSecondUser([&] { return signOnWithTicket(company, theirs) ? 1 : 0; }) == 0,
         "the second user could not sign on with a ticket of their own (the probe is void)");
  return r;
}

// Tickets a clerk's screens were started with, after the password changed, a
// right was taken and the user removed, each through corvena-db as the administrator.
ProbeResult Harness::ticketsEnd() {
  ProbeResult r{"tickets end with the password and rights"};
  const std::string company = signOnCompany();
  writeFile(work_ + "/admin.pw", "demo-admin\n");
  writeFile(work_ + "/new.pw", "changed clerk\n");
  const std::string admin = " --user SYSADMIN --password-file " + work_ + "/admin.pw";
  const std::vector<std::pair<std::string, std::string>> changes{
      {"a new password", "passwd " + company + " CLERK2 --new-password-file " + work_ + "/new.pw"},
      {"a right revoked", "revoke " + company + " SUPERVISORS QM18300"},
      {"the user removed", "remove " + company + " CLERK2"}};
  for (const auto& [what, change] : changes) {
    std::string ticket;
    {
      auto db = db::Database::open(company);
      ticket = signon::UserDirectory(*db).issueTicket("CLERK2", std::chrono::system_clock::now(),
                                                     ::geteuid());
    }
    const bool before = !signOnWithTicket(company, ticket);
    const int changed = std::system((bin_ + "/corvena-db user " + change + admin + " >/dev/null").c_str());
    const bool after = !signOnWithTicket(company, ticket);
    expect(r, before && changed == 0 && !after, "the ticket outlived " + what);
  }
  return r;
}

// Whoever is named, a refusal checks one hash: the times of unknown users and of
// wrong passwords are measured and reported, the work compared.
ProbeResult Harness::refusalTimes() {
  ProbeResult r{"refusals: unknown user, wrong password"};
  auto db = db::Database::open(signOnCompany());
  signon::UserDirectory users(*db);
  const int runs = std::max(6, scale_.clerks * 3);
  std::vector<double> unknown, wrong;
  int unequalWork = 0;
  for (int i = 0; i < runs; ++i) {
    for (const auto& [user, times] : {std::pair{"NOSUCHUSER", &unknown}, std::pair{"CLERK1", &wrong}}) {
      const auto work = signon::passwordWork();
      const auto start = std::chrono::steady_clock::now();
      const bool passed = users.checkPassword(user, "not the password", std::chrono::system_clock::now());
      times->push_back(Seconds(std::chrono::steady_clock::now() - start).count());
      const auto done = signon::passwordWork();
      unequalWork += passed || done.checked - work.checked != 1 || done.made != work.made;
    }
  }
  r.trials = 2 * runs;
  r.failures = unequalWork;
  r.notes.push_back("unknown user " + range(unknown) + ", wrong password " + range(wrong) +
                    " over " + std::to_string(runs) + " refusals each");
  return r;
}

// Clerks' programs guessing a server user's password at once, then the right
// one: refused while the server holds the user off, accepted once the hold ends.
ProbeResult Harness::serverHoldOff() {
  ProbeResult r{"the server holds a guessed user off"};
  if (db::Database::dialectOf(database_) != db::Database::Dialect::PostgreSQL) {
    skipped(r, "no server given (--server postgresql://...)");
    return r;
  }
  const std::string clerk = "SH" + std::to_string(::getpid() % 100000);
  signon::UserDirectory(*db::Database::open(database_)).addUser(clerk, "Guessed", "right one", false);
  const auto signsOn = [&](const std::string& password) {
    signon::SignedOn out;
    return !signon::openForUser({database_, clerk, "DEMO", demo::kDemoToday, password, ""}, out);
  };
  const int programs = std::min(8, scale_.clerks * 2), guesses = 10;
  const auto start = std::chrono::steady_clock::now();
  std::vector<pid_t> guessing;
  for (int p = 0; p < programs; ++p)
    if (const pid_t pid = ::fork(); pid == 0) {
      int accepted = 0;
      for (int g = 0; g < guesses; ++g) accepted += signsOn("guess " + std::to_string(g));
      _exit(accepted);
    } else {
      guessing.push_back(pid);
    }
  int accepted = 0;
  for (const pid_t pid : guessing) {
    int status = 0;
    ::waitpid(pid, &status, 0);
    accepted += WIFEXITED(status) ? WEXITSTATUS(status) : 1;
  }
  const double guessed = Seconds(std::chrono::steady_clock::now() - start).count();
  expect(r, accepted == 0, "a wrong password signed on");
  expect(r, !signsOn("right one"), "the right password straight after the guesses signed on");
  const auto held = std::chrono::steady_clock::now();
  bool released = false;
  for (int wait = 0; wait < 40 && !released; ++wait) {
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    released = signsOn("right one");
  }
  expect(r, released, "the user was still held off 20 s after the guesses");
  char note[160];
  std::snprintf(note, sizeof note,
                "%d wrong passwords over %d programs in %.1f s; the right one refused straight "
                "after, accepted %.1f s later",
                programs * guesses, programs, guessed, Seconds(std::chrono::steady_clock::now() - held).count());
  r.notes.push_back(note);
  return r;
}

}  // namespace corvena::stress
