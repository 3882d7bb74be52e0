// corvena-stress: clerks as real screen processes against one scaled company,
// at once, killed, and fed hostile input; prints probe, trials, failures and
// exits non-zero on any failure.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>

#include "platform/db/database.h"
#include "stress/harness.h"

namespace {

using corvena::stress::Harness;
using corvena::stress::ProbeResult;
using corvena::stress::Scale;

struct Options {
  std::string bin;
  std::string work;
  unsigned seed = 1;
  Scale scale;
  bool keep = false;
  std::string server;
};

Scale quickScale() {
  return Scale{
      .clerks = 2, .saves = 3, .kills = 2, .largeLines = 40, .fuzzScripts = 2, .releases = 2};
}

int number(const char* text) {
  char* end = nullptr;
  const long n = std::strtol(text, &end, 10);
  if (*end != '\0' || n < 1 || n > 100000) throw std::invalid_argument(text);
  return static_cast<int>(n);
}

Options parse(int argc, char** argv) {
  Options o;
  o.bin = std::filesystem::canonical("/proc/self/exe").parent_path().string();
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    const bool hasValue = i + 1 < argc;
    if (a == "--quick") o.scale = quickScale();
    else if (a == "--keep") o.keep = true;
    else if (a == "--bin" && hasValue) o.bin = argv[++i];
    else if (a == "--work" && hasValue) o.work = argv[++i];
    else if (a == "--seed" && hasValue) o.seed = static_cast<unsigned>(number(argv[++i]));
    else if (a == "--clerks" && hasValue) o.scale.clerks = number(argv[++i]);
    else if (a == "--saves" && hasValue) o.scale.saves = number(argv[++i]);
    else if (a == "--kills" && hasValue) o.scale.kills = number(argv[++i]);
    else if (a == "--server" && hasValue) o.server = argv[++i];
    else throw std::invalid_argument(a);
  }
  if (o.work.empty()) {
    char pattern[] = "/tmp/corvena-stress-XXXXXX";
    if (!::mkdtemp(pattern)) throw std::runtime_error("cannot make a scratch directory");
    o.work = pattern;
  }
  return o;
}

int report(const std::vector<ProbeResult>& results) {
  int failures = 0;
  std::printf("%-40s %8s %9s\n", "probe", "trials", "failures");
  for (const auto& r : results) {
    std::printf("%-40s %8d %9d\n", r.probe.c_str(), r.trials, r.failures);
    failures += r.failures;
  }
  for (const auto& r : results)
    for (const auto& note : r.notes) std::printf("  %s: %s\n", r.probe.c_str(), note.c_str());
  return failures == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  try {
    o = parse(argc, argv);
  } catch (const std::exception& e) {
    std::cerr << "corvena-stress: bad argument " << e.what()
              << "\nusage: corvena-stress [--quick] [--seed N] [--clerks N] [--saves N] "
                 "[--kills N] [--server postgresql://...] [--bin DIR] [--work DIR] [--keep]\n";
    return 2;
  }
  try {
    Harness h(o.bin, o.work, o.seed, o.scale, o.server);
    std::vector<ProbeResult> results;
    results.push_back(h.concurrentPayments());
    results.push_back(h.sharedBatchEdits());
    results.push_back(h.killedSaves());
    results.push_back(h.killedReleases());
    results.push_back(h.givenUpReleases());
    results.push_back(h.releasesKilledBeforeAR());
    results.push_back(h.killedReversals());
    results.push_back(h.partPaymentsOfOneInvoice());
    results.push_back(h.transfers());
    results.push_back(h.backupWhileSaving());
    results.push_back(h.fuzzedScripts());
    results.push_back(h.hostileValues());
    results.push_back(h.presenceAndTickets());
    results.push_back(h.ticketsEnd());
    results.push_back(h.refusalTimes());
    results.push_back(h.serverHoldOff());
    results.push_back(h.booksReconcile());
    const int code = report(results);
    if (!o.keep) {
      std::filesystem::remove_all(o.work);
      if (!o.server.empty()) corvena::db::Database::remove(h.database());
    }
    return code;
  } catch (const std::exception& e) {
    std::cerr << "corvena-stress: " << e.what() << " (scratch kept in " << o.work << ")\n";
    return 2;
  }
}
