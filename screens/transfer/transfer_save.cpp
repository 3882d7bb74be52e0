#include "screens/transfer/transfer_save.h"

#include <map>
#include <set>

#include "runtime/customer_standing.h"
#include "runtime/kelpbas.h"
#include "screens/transfer/transfer_lines.h"
#include "screens/transfer/transfer_release.h"
#include "screens/transfer/transfer_source.h"
#include "screens/transfer/transfer_state.h"

namespace corvena::transfer {

using namespace corvena::host;

namespace {

// The release writes status and the host's references with statements of its
// own; a save writes them back as stored, never as an older screen had them.
void keepReleaseColumns(Transfer& t) {
  XNATranHdr stored{};
  if (SqlFetch1(t.csr_update, "XNATranHdr_all " + SParm(t.bXNATranHdr.NATrBatNbr), stored,
                sizeof stored) == NotFound)
    return;
  t.bXNATranHdr.Status = stored.Status;
  t.bXNATranHdr.ARBatNbr = stored.ARBatNbr;
  t.bXNATranHdr.ARDMRefNbr = stored.ARDMRefNbr;
}

// Every destination's stored row, read once for the save, not once a line.
std::map<std::string, XNATranDet> storedDestinations(Transfer& t) {
  std::map<std::string, XNATranDet> stored;
  XNATranDet row{};
  for (int rc = SqlFetch1(t.csr_update,
                          "XNATranDet_All " + SParm(t.bXNATranHdr.NATrBatNbr) + SParm("%"), row,
                          sizeof row);
       rc != NotFound; rc = SFetch1(t.csr_update, row, sizeof row))
    stored[row.DestCustID.trimmed()] = row;
  return stored;
}

void keepReleaseColumns(const std::map<std::string, XNATranDet>& stored, XNATranDet& line) {
  const auto found = stored.find(line.DestCustID.trimmed());
  if (found == stored.end()) return;
  line.ARRefNbr = found->second.ARRefNbr;
  line.Status = found->second.Status;
  line.Rlsed = found->second.Rlsed;
}

template <class Row, class Keep>
void stampLines(LineArrayHandle lines, Row& row, Keep keep) {
  const int position = LineArrayGetPos(lines);
  for (int rc = LineArrayFirst(lines); rc != NotFound; rc = LineArrayNext(lines)) {
    if (LineArrayGetState(lines) != LineUnchanged) stampAudit(row, SignedOnStamp());
    keep(row);
    LineArrayUpdate(lines);
  }
  LineArraySetPos(lines, position);
  LineArrayRedisplay(lines);
}

// The destinations the batch has lines for, as saved; one statement for all.
std::set<std::string> destinationsWithLines(Transfer& t) {
  std::set<std::string> found;
  for (int rc = SqlFetch1(t.csr_linework,
                          "XNATranDLn_Destinations " + SParm(t.bXNATranHdr.NATrBatNbr),
                          t.bLineWork, sizeof t.bLineWork);
       rc != NotFound; rc = SFetch1(t.csr_linework, t.bLineWork, sizeof t.bLineWork))
    found.insert(t.bLineWork.DetCustID.trimmed());
  return found;
}

// A refused release leaves the batch to be saved on Hold, whatever the
// framework puts back of the refused save.
int refuseRelease(Transfer& t, std::string_view text, int style, std::string_view caption) {
  t.bXHeader.batchhandling = "H";
  DispField(t.cBatchHandling);
  forms::session().updates().keepThroughRefusal(*t.cBatchHandling);
  LevelChangeSet(0, LineUpdated);
  MessBox(text, style, caption);
  return SilentRefusal;
}

// Whether `holds` is true of any destination, each made current in turn; the
// grid's own current line is kept.
template <class Holds>
bool anyDestination(Transfer& t, Holds holds) {
  bool found = false;
  const int position = LineArrayGetPos(t.DestLines);
  for (int rc = LineArrayFirst(t.DestLines); rc != NotFound && !found;
       rc = LineArrayNext(t.DestLines))
    found = holds();
  LineArraySetPos(t.DestLines, position);
  LineArrayRedisplay(t.DestLines);
  return found;
}

// Why the host would take no documents for a customer of the batch: one put on
// hold since it was saved would stop the release halfway.
std::string refusedCustomer(Transfer& t) {
  std::string why = runtime::CustomerRefusal(t.bXNATranHdr.SrcCustID.view());
  if (why.empty())
    anyDestination(t, [&] {
      why = runtime::CustomerRefusal(t.bXNATranDet.DestCustID.view());
      return !why.empty();
    });
  return why;
}

// A release needs lines for every destination. The source is offset whole, so
// destinations that do not add up to it would lose or make money.
int checkLinesBeforeRelease(Transfer& t) {
  const std::string status = t.bXNATranHdr.Status.trimmed();
  if (t.bXHeader.batchhandling.trimmed() != "R" || (status != "O" && status != "P")) return 0;
  const std::set<std::string> withLines = destinationsWithLines(t);
  if (anyDestination(t, [&] { return !withLines.contains(t.bXNATranDet.DestCustID.trimmed()); }))
    return refuseRelease(t, "Must enter a transaction line for each detail customer.", 0,
                         "National Accounts");
  if (FPRound(t.bXHeader.linetotal) != FPRound(t.bXNATranHdr.SrcAmt))
    return refuseRelease(t, "Line total must match original credit memo.", StyleWarning,
                         "System Message");
  if (const std::string why = refusedCustomer(t); !why.empty())
    return refuseRelease(t, why, StyleWarning, "National Accounts");
  return 0;
}

}  // namespace

int Update1_SaveLevel(int level) {
  auto& t = transfer();
  if (level == 0) {
    keepReleaseColumns(t);
    stampAudit(t.bXNATranHdr, SignedOnStamp());
  } else if (level == 1) {
    const auto stored = storedDestinations(t);
    stampLines(t.DestLines, t.bXNATranDet, [&](XNATranDet& line) { keepReleaseColumns(stored, line); });
  } else if (level == 2) {
    if (const int refused = CheckLineProjects()) return refused;
    stampLines(t.DetailLines, t.bXNATranDLn, [](XNATranDLn&) {});
  } else if (level == forms::kWholeSaveLevel) {
    if (const int refused = RefuseSourceHeldElsewhere()) return refused;
    return checkLinesBeforeRelease(t);
  }
  return 0;
}

// Deleting the batch deletes the lines of every destination, not only those
// of the destination the detail form last showed.
int Update1_DeleteRequested(int level) {
  auto& t = transfer();
  if (level != 0) return 0;
  if (t.bXNATranHdr.Status.trimmed() == "C") {
    MessBox("Cannot delete a closed batch", StylePlain, "National Accounts");
    return SilentRefusal;
  }
  Sql(t.csr_update, "delete from XNATranDLn where NATrBatNbr = " + SParm(t.bXNATranHdr.NATrBatNbr));
  return 0;
}

void Update1_LevelReset(int level) {
  if (level != 0) return;
  SetButton(6, 0, -1);
  SetButton(6, 1, -1);
}

void registerSaveHandlers() {
  Control* Update1 = transfer().Update1;
  Update1->onSaveLevel(Update1_SaveLevel);
  Update1->onSaveCompleted(Update1_SaveCompleted);
  Update1->onDeleteRequested(Update1_DeleteRequested);
  Update1->onLevelReset(Update1_LevelReset);
}

}  // namespace corvena::transfer
