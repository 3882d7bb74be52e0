#include "screens/transfer/transfer_batch.h"

#include "runtime/customer_standing.h"
#include "runtime/kelpbas.h"
#include "screens/transfer/transfer_source.h"
#include "screens/transfer/transfer_state.h"

namespace corvena::transfer {

using namespace corvena::host;

namespace {

std::string status(const Transfer& t) {
  return t.bXNATranHdr.Status.trimmed();
}

void enableField(Transfer& t, Control* c, bool on) {
  SetProps(t.Form1, c, c, "enabled", on);
}

// The account look-ups of the detail lines take their company from bARDoc,
// which only the source reference's check fills; a recalled batch fills it
// from its source document, or from the batch's own company.
void readSourceDocument(Transfer& t) {
  if (SqlFetch1(t.csr_ardoc,
                "select * from ARDoc where CustId = " + SParm(t.bXNATranHdr.SrcCustID) +
                    " and RefNbr = " + SParm(t.bXNATranHdr.SrcRefNbr) +
                    " and DocType = " + SParm(t.bXNATranHdr.SrcDocType),
                t.bARDoc, sizeof t.bARDoc) == NotFound) {
    t.bARDoc = t.nARDoc;
    t.bARDoc.CpnyID = t.bXNATranHdr.CpnyId;
  }
}

}  // namespace

// Source customer and document change only while the batch is open; the
// release finishes a partly released one with the source it began with.
void ApplyBatchStatus() {
  auto& t = transfer();
  const bool closed = status(t) == "C";
  SetButton(6, -1, closed ? 0 : -1);
  SetButton(1, 1, closed ? 0 : -1);
  for (Control* c : {t.cSrcCustId, t.cSrcRefNbr}) enableField(t, c, status(t) == "O" || status(t).empty());
  enableField(t, t.cBatchHandling, !closed);
  for (Control* c : {t.cDestCustID, t.cDestAmt}) SetCtrlProp(c, "enabled", !closed);
  enableField(t, t.cNATrBatNbr, true);
  DispFields(t.Form1, runtime::NoControl, runtime::NoControl);
}

int cNATrBatNbr_ValueCheck(std::string& text) {
  auto& t = transfer();
  if (PVChkFetch1(runtime::NoControl, t.CSR_XNATRANHDR, text, t.bXNATranHdr,
                  sizeof t.bXNATranHdr) != NotFound) {
    t.bXHeader.batchhandling = status(t) == "O" ? "H" : "N";
    readSourceDocument(t);
  }
  ApplyBatchStatus();
  t.bXNATranHdr.NATrBatNbr = Text<10>(text).trimmed();
  GridLoad(t.Spread1);
  DispFields(t.Form1, runtime::NoControl, runtime::NoControl);
  return 0;
}

void cNATrBatNbr_ValueDisplayed() {
  ApplyBatchStatus();
}

// Refused as it is chosen, not only when the batch is saved to be released.
int cBatchHandling_ValueCheck(std::string& text) {
  return Text<30>(text) == "R" && !ReleaseAllowed() ? SilentRefusal : 0;
}

int cSrcCustId_ValueCheck(std::string& text) {
  auto& t = transfer();
  const std::string entered = Text<15>(text).trimmed();
  if (runtime::RefusedCustomer(entered)) return SilentRefusal;
  if (status(t) != "O" || entered == t.bXNATranHdr.SrcCustID.trimmed()) return 0;
  std::string parent = entered;
  if (SqlFetch1(t.csr_xnacusts, "XNACustS_Primary " + SParm(entered) + SParm("%"), t.bXNACustS,
                sizeof t.bXNACustS) == NotFound &&
      SqlFetch1(t.csr_xnacusts, "XNACustS_Primary " + SParm("%") + SParm(entered), t.bXNACustS,
                sizeof t.bXNACustS) != NotFound)
    parent = t.bXNACustS.PrimaryCustId.trimmed();
  t.bXNATranHdr.PrimaryCustID = parent;
  DispField(t.cPrimaryCustID);
  return 0;
}

int cSrcRefNbr_ValueCheck(std::string& text) {
  auto& t = transfer();
  const std::string entered = Text<10>(text).trimmed();
  if (status(t) != "O" || entered == t.bXNATranHdr.SrcRefNbr.trimmed()) return 0;
  if (SqlFetch1(t.csr_ardoc,
                "XArdocCMPA_CustID_RefNbr " + SParm(t.bXNATranHdr.SrcCustID) + SParm(entered),
                t.bARDoc, sizeof t.bARDoc) == NotFound)
    return 0;
  return OfferSource();
}

}  // namespace corvena::transfer
