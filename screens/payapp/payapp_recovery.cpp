// What a release left in the host when it was given up or killed: the header
// closes only on a host batch AR released, and what AR holds unreleased goes,
// so the batch can be released again without paying anything twice.
#include "platform/db/database.h"
#include "platform/forms/session.h"
#include "runtime/host_batch_state.h"
#include "runtime/kelpbas.h"
#include "screens/payapp/payapp_release.h"
#include "screens/payapp/payapp_state.h"

namespace corvena::payapp {

using namespace corvena::host;

namespace {

// The unreleased host payment batch a release of this batch left, found by the
// header's note or by the references its payments carry (a release killed
// before it could note the batch).
std::string interruptedHostBatch(PayApp& a) {
  if (!a.bXNAHeader.ARBatNbr.blank()) return a.bXNAHeader.ARBatNbr.trimmed();
  const std::string ref = a.bXNAHeader.RefNbr.trimmed();
  Batch found{};
  blankRecord(found);
  SqlFetch1(a.CSR_Release,
            "select b.* from Batch b join ARDoc d on d.BatNbr = b.BatNbr where b.Module = 'AR'"
            " and b.EditScrnNbr = '08030' and b.Rlsed = 0 and d.DocType = 'PA' and d.RefNbr in (" +
                SParm(ref) + ", " + SParm(PrefixedReference('N', ref)) + ") and (d.CustId = " +
                SParm(a.bXNAHeader.CustId) +
                " or d.CustId in (select SecondaryCustid from XNACustS where PrimaryCustId = " +
                SParm(a.bXNAHeader.CustId) + "))",
            found, sizeof found);
  return found.BatNbr.trimmed();
}

// The debit memo of a release stopped before it marked the batch "P": a memo
// already released stands, and the batch goes on from its payments, so the
// credit's customer is never charged a second memo; one left unreleased goes.
void recoverDebitMemo(PayApp& a, bool recalled) {
  if (a.bXNAHeader.vond1.trimmed() == "NP" || a.bXNAHeader.Status.trimmed() != "O") return;
  ARDoc memo{};
  blankRecord(memo);
  if (SqlFetch1(a.CSR_Release,
                "select * from ARDoc where DocType = 'DM' and DocDesc like " +
                    SParm("NA" + a.bXNAHeader.NABatNbr.trimmed() + "%"),
                memo, sizeof memo) != 0)
    return;
  if (memo.Rlsed == 1) {
    MarkPartlyReleased();
    if (recalled)
      MessBox("An earlier release of this batch had released its debit memo " +
                  memo.RefNbr.trimmed() +
                  " in AR; releasing the batch again goes on from its payments.",
              StyleWarning, "National Accounts");
    return;
  }
  DeleteUnreleasedHostBatch(memo.BatNbr.trimmed());
  if (recalled)
    MessBox(
        "An earlier release of this batch was interrupted; its unreleased debit memo in AR "
        "batch " +
            memo.BatNbr.trimmed() + " was removed. Release the batch again.",
        StyleWarning, "National Accounts");
}

}  // namespace

// Half of them left would pay again later.
void DeleteUnreleasedHostBatch(const std::string& hostBatch) {
  auto& a = payapp();
  db::Transaction tx(forms::session().database());
  Sql(a.CSR_XNADETAIL_D, "DeleteRefNbr " + SParm(hostBatch));
  Sql(a.CSR_XNADETAIL_D, "XNAApp_DeleteBatch " + SParm(hostBatch));
  tx.commit();
}

void NoteReleaseBatch(const std::string& hostBatch) {
  auto& a = payapp();
  a.ReleaseBatchNbr = hostBatch;
  if (hostBatch.empty()) return;
  Sql(a.CSR_Release, "UPDATE XNAHeader SET ARBatNbr = " + SParm(hostBatch) +
                         " WHERE NABatNbr = " + SParm(a.bXNAHeader.NABatNbr));
  a.bXNAHeader.ARBatNbr = hostBatch;
}

void RemoveHostBatch(const std::string& hostBatch) {
  auto& a = payapp();
  DeleteUnreleasedHostBatch(hostBatch);
  Sql(a.CSR_Release,
      "UPDATE XNAHeader SET ARBatNbr = '' WHERE NABatNbr = " + SParm(a.bXNAHeader.NABatNbr));
  a.bXNAHeader.ARBatNbr = "";
}

void MarkPartlyReleased() {
  auto& a = payapp();
  Sql(a.CSR_Release,
      "UPDATE XNAHeader SET Status = 'P' WHERE NABatNbr = " + SParm(a.bXNAHeader.NABatNbr));
  a.bXNAHeader.Status = "P";
}

bool CloseIfReleased(const std::string& hostBatch) {
  auto& a = payapp();
  if (hostBatch.empty() || !runtime::HostBatchReleased(a.CSR_Release, hostBatch)) return false;
  db::Transaction tx(forms::session().database());
  Sql(a.CSR_Release, "XNAHeader_Released " + SParm(a.bXNAHeader.NABatNbr) + SParm(hostBatch));
  tx.commit();
  a.bXNAHeader.Status = "C";
  a.bXNAHeader.ARBatNbr = hostBatch;
  return true;
}

bool RecoverInterruptedRelease(bool recalled) {
  auto& a = payapp();
  recoverDebitMemo(a, recalled);
  const std::string status = a.bXNAHeader.Status.trimmed();
  if (status != "O" && status != "P") return false;
  const std::string hostBatch = interruptedHostBatch(a);
  if (hostBatch.empty()) return false;
  if (CloseIfReleased(hostBatch)) {
    MessBox("The release of this batch had completed in AR as batch " + hostBatch +
                "; the batch is closed.",
            StyleWarning, "National Accounts");
    return true;
  }
  RemoveHostBatch(hostBatch);
  if (recalled)
    MessBox(
        "An earlier release of this batch was interrupted; what it left unreleased in AR "
        "batch " +
            hostBatch + " was removed. Release the batch again.",
        StyleWarning, "National Accounts");
  return false;
}

}  // namespace corvena::payapp
