#include "screens/transfer/transfer_save.h"

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

void keepReleaseColumns(Transfer& t, XNATranDet& line) {
  XNATranDet stored{};
  if (SqlFetch1(t.csr_update,
                "XNATranDet_All " + SParm(line.NATrBatNbr) + SParm(line.DestCustID), stored,
                sizeof stored) == NotFound)
    return;
  line.ARRefNbr = stored.ARRefNbr;
  line.Status = stored.Status;
  line.Rlsed = stored.Rlsed;
}

template <class Row>
void stampLines(LineArrayHandle lines, Row& row, bool destinations) {
  auto& t = transfer();
  const int position = LineArrayGetPos(lines);
  for (int rc = LineArrayFirst(lines); rc != NotFound; rc = LineArrayNext(lines)) {
    if (LineArrayGetState(lines) != LineUnchanged) stampAudit(row, SignedOnStamp());
    if constexpr (std::is_same_v<Row, XNATranDet>) {
      if (destinations) keepReleaseColumns(t, row);
    }
    LineArrayUpdate(lines);
  }
  LineArraySetPos(lines, position);
  LineArrayRedisplay(lines);
}

bool destinationHasLines(Transfer& t) {
  return SqlFetch1(t.csr_linework,
                   "XNATranDLn_All " + SParm(t.bXNATranDet.NATrBatNbr) +
                       SParm(t.bXNATranDet.DestCustID) + IParm(-32768) + IParm(32767),
                   t.bLineWork, sizeof t.bLineWork) != NotFound;
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
  if (anyDestination(t, [&] { return !destinationHasLines(t); }))
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
    stampLines(t.DestLines, t.bXNATranDet, true);
  } else if (level == 2) {
    if (const int refused = CheckLineProjects()) return refused;
    stampLines(t.DetailLines, t.bXNATranDLn, false);
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
