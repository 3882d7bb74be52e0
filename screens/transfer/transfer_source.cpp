#include "screens/transfer/transfer_source.h"

#include <cstdio>

#include "runtime/kelpbas.h"
#include "screens/transfer/transfer_state.h"

namespace corvena::transfer {

using namespace corvena::host;

namespace {

std::string money(double amount) {
  char text[40];
  std::snprintf(text, sizeof text, "%.2f", FPRound(amount));
  return text;
}

// Other batches holding part of the source, and how much in all.
struct Held {
  double amount = 0;
  std::string batches;
  int count = 0;
};

Held heldElsewhere(Transfer& t, const ARDoc& source) {
  Held held;
  XNATranHdr row{};
  for (int rc = SqlFetch1(t.csr_update,
                          "XNATranHdr_SourceHeld " + SParm(source.CustId) + SParm(source.DocType) +
                              SParm(source.RefNbr) + SParm(t.bXNATranHdr.NATrBatNbr),
                          row, sizeof row);
       rc != NotFound; rc = SFetch1(t.csr_update, row, sizeof row)) {
    held.amount = FPAdd(held.amount, row.SrcAmt);
    held.batches += (held.batches.empty() ? "" : ", ") + row.NATrBatNbr.trimmed();
    ++held.count;
  }
  return held;
}

std::string holders(const Held& held) {
  const bool one = held.count == 1;
  return (one ? "Transfer batch " : "Transfer batches ") + held.batches +
         (one ? " holds " : " hold ") + money(held.amount) +
         " of this document until it is applied to " +
         (one ? "that batch's debit memo" : "their debit memos");
}

// The batch's source as the header names it, however the batch came on screen.
ARDoc sourceOf(Transfer& t) {
  const auto& h = t.bXNATranHdr;
  ARDoc source{};
  SqlFetch1(t.csr_update,
            "select * from ARDoc where CustId = " + SParm(h.SrcCustID) + " and DocType = " +
                SParm(h.SrcDocType) + " and RefNbr = " + SParm(h.SrcRefNbr) + " and Rlsed = 1",
            source, sizeof source);
  return source;
}

}  // namespace

std::string SourceLinesStatement(const ARDoc& source) {
  return "SELECT * FROM ARTran WHERE BatNbr = " + SParm(source.BatNbr) +
         " AND RefNbr = " + SParm(source.RefNbr) + " AND Crtd_Prog = '08010' ORDER BY LineNbr";
}

int OfferSource() {
  auto& t = transfer();
  const Held held = heldElsewhere(t, t.bARDoc);
  const double left = FPSub(t.bARDoc.CuryDocBal, held.amount);
  if (held.batches.empty()) {
    t.bXNATranHdr.SrcAmt = t.bARDoc.CuryDocBal;
  } else if (left <= 0) {
    MessBox(holders(held) + "; nothing is left to transfer.", StyleWarning, "National Accounts");
    return SilentRefusal;
  } else {
    t.bXNATranHdr.SrcAmt = left;
    MessBox(holders(held) + "; " + money(left) + " is left to transfer.", StyleWarning,
            "National Accounts");
  }
  t.bXNATranHdr.SrcDocType = t.bARDoc.DocType;
  DispField(t.cSrcAmt);
  return 0;
}

int RefuseSourceHeldElsewhere() {
  auto& t = transfer();
  const auto& h = t.bXNATranHdr;
  if (h.Status.trimmed() != "O") return 0;
  const ARDoc source = sourceOf(t);
  if (source.RefNbr.blank()) return 0;
  const Held held = heldElsewhere(t, source);
  const double left = FPSub(source.CuryDocBal, held.amount);
  if (FPRound(h.SrcAmt) <= FPRound(left)) return 0;
  MessBox((held.batches.empty() ? std::string("Only ") + money(left) + " of this document is"
                                : holders(held) + "; only " + money(left) + " is") +
              " left to transfer, not " + money(h.SrcAmt) + ". Nothing was saved.",
          StyleWarning, "National Accounts");
  return SilentRefusal;
}

void ReadLineDefault() {
  auto& t = transfer();
  t.bARTran = t.nARTran;
  const ARDoc source = sourceOf(t);
  if (!source.RefNbr.blank() &&
      SqlFetch1(t.csr_artran, SourceLinesStatement(source), t.bARTran, sizeof t.bARTran) ==
          NotFound &&
      SqlFetch1(t.csr_update, "select * from XNASetup", t.bXNASetup, sizeof t.bXNASetup) !=
          NotFound) {
    t.bARTran.Acct = t.bXNASetup.vond1.view();
    t.bARTran.Sub = t.bXNASetup.vond2.view();
  }
  if (t.bARTran.Sub.blank()) t.bARTran.Sub = t.bCustomer.ArSub;
}

}  // namespace corvena::transfer
