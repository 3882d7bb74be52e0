#include "screens/payapp/payapp_apply.h"

#include <cstdio>
#include <cstdlib>

#include "runtime/customer_standing.h"
#include "screens/payapp/payapp_display.h"
#include "screens/payapp/payapp_state.h"

namespace corvena::payapp {

using namespace corvena::host;

namespace {

// The amounts of a partially released batch are fixed: its debit memo is in AR.
bool RefusedAsPartlyReleased(PayApp& a) {
  if (!(a.bXNAHeader.Status == "P")) return false;
  MessBox("Cannot modify application for a Partially Released batch.", StyleWarning,
          "System Message");
  return true;
}

// AR takes no payment for a customer on hold or inactive; taking an amount off stays allowed.
bool RefusedCustomerOfLine(PayApp& a, double amount) {
  return amount > 0 && runtime::RefusedCustomer(a.bXDetail.CustId.view());
}

double AmountOf(const std::string& text) {
  return std::strtod(text.c_str(), nullptr);
}

std::string AmountText(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", forms::session().currencyDecimals(), value);
  return text;
}

void MarkDetailChanged() {
  if (LevelChangeGet(1) == LineUnchanged) LevelChangeSet(1, LineUpdated);
}

void ShowLineTotals(PayApp& a, double applied, double discount) {
  a.bXDetail.TotApply = FPAdd(applied, discount);
  a.bXDetail.NewDocBal = FPSub(a.bXDetail.CuryDocBal, a.bXDetail.TotApply);
}

// Every line's apply amount goes to 0; a line's total and balance then follow
// its discount alone, so no line shows an application it no longer has.
void ZeroApplications(PayApp& a) {
  SetColumnAllLines(a.cCuryApplAmt, "0");
  const int position = LineArrayGetPos(a.DetailLines);
  for (int rc = LineArrayFirst(a.DetailLines); rc == 0; rc = LineArrayNext(a.DetailLines)) {
    if (a.bXDetail.TotApply == FPAdd(a.bXDetail.CuryApplAmt, a.bXDetail.DiscAmt)) continue;
    ShowLineTotals(a, a.bXDetail.CuryApplAmt, a.bXDetail.DiscAmt);
    LineArrayUpdate(a.DetailLines);
  }
  LineArraySetPos(a.DetailLines, position);
  LineArrayRedisplay(a.DetailLines);
  a.bXHeader.ApplyTotal = 0;
  DispField(a.CApplyTotal);
  MarkDetailChanged();
}

// Why "Pay Document" cannot pay the line shown; empty when it can.
std::string WhyNotPayable(PayApp& a, double remaining) {
  if (LineArrayGetPos(a.DetailLines) < 0) return "There is no document to pay: choose a line first.";
  if (!(a.bXDetail.CuryDocBal > 0))
    return "Document " + a.bXDetail.RefNbr.trimmed() + " has no balance left to pay.";
  if (!(remaining > 0)) return "The payment is applied in full: nothing is left to pay with.";
  return {};
}

}  // namespace

void ShowUnapplied(double amount) {
  auto& a = payapp();
  a.bXHeader.UnAppliedAmt = FPSub(amount, a.bXHeader.ApplyTotal);
  DispField(a.cUnappliedAmt);
}

int cCuryApplAmt_ValueCheck(std::string& text) {
  auto& a = payapp();
  if (RefusedAsPartlyReleased(a)) return SilentRefusal;
  const double A = AmountOf(text);
  if (RefusedCustomerOfLine(a, A)) return SilentRefusal;
  const double Available =
      FPAdd(FPSub(a.bXNAHeader.OrigDocAmt, a.bXHeader.ApplyTotal), a.bXDetail.CuryApplAmt);
  if (A > Available) {
    MessBox("Sum of applied amounts must not exceed the document balance.", StyleWarning,
            "Warning");
    return SilentRefusal;
  }
  if (FPRound(FPAdd(A, a.bXDetail.DiscAmt)) > FPRound(a.bXDetail.CuryDocBal)) {
    Mess(217);
    return SilentRefusal;
  }
  if (FPRound(A) > FPRound(a.bXDetail.CuryDocBal)) {
    MessBox("Amount applied is greater than the document balance.", StyleWarning, "Warning");
    return SilentRefusal;
  }
  a.bXHeader.UnAppliedAmt = FPSub(Available, A);
  ShowLineTotals(a, A, a.bXDetail.DiscAmt);
  RedrawAll();
  return 0;
}

int cDiscAmt_ValueCheck(std::string& text) {
  auto& a = payapp();
  if (RefusedAsPartlyReleased(a)) return SilentRefusal;
  const double D = AmountOf(text);
  if (RefusedCustomerOfLine(a, D)) return SilentRefusal;
  if (FPRound(FPAdd(D, a.bXDetail.CuryApplAmt)) > FPRound(a.bXDetail.CuryDocBal)) {
    Mess(217);
    return SilentRefusal;
  }
  if (FPRound(D) > FPRound(a.bXDetail.CuryDiscBal)) {
    Messf(15, AmountText(a.bXDetail.CuryDiscBal), "", "", "", "", "");
    return SilentRefusal;
  }
  ShowLineTotals(a, a.bXDetail.CuryApplAmt, D);
  RedrawAll();
  // A discount taken after the document's discount date is allowed; the clerk is
  // only told. (Against the document date every discount would look late.)
  if (D > 0 && DateCompare(a.bXNAHeader.DocDate, a.bXDetail.DiscDate) > 0) Mess(12338);
  return 0;
}

int cOrigDocAmt_ValueCheck(std::string& text) {
  auto& a = payapp();
  if (RefusedAsPartlyReleased(a)) return SilentRefusal;
  const double P = AmountOf(text);
  if (P < a.bXHeader.ApplyTotal) {
    MessBox(
        "You are trying to change the amount of the check to less than the amount you have "
        "applied. If you continue all applications will be zeroed out. \r\n\r\nContinue?",
        StyleYesNo, "System Message");
    if (MessResponse() != AnswerYes) return SilentRefusal;
    ZeroApplications(a);
  }
  ShowUnapplied(P);
  return 0;
}

int cBatchHandling_ValueCheck(std::string& text) {
  auto& a = payapp();
  if (Text<30>(text) == "R" && !ReleaseAllowed()) return SilentRefusal;
  if (Text<30>(text) == "R" && a.bXNAHeader.OrigDocAmt == 0) {
    MessBox("Cannot release a document with no value.", StyleWarning, "Warning");
    return SilentRefusal;
  }
  return 0;
}

void cbAutoApply_Click() {
  auto& a = payapp();
  if (RefusedAsPartlyReleased(a)) return;
  const double Remaining = FPSub(a.bXNAHeader.OrigDocAmt, a.bXHeader.ApplyTotal);
  if (const std::string why = WhyNotPayable(a, Remaining); !why.empty()) {
    MessBox(why, StyleWarning, "System Message");
    return;
  }
  if (RefusedCustomerOfLine(a, Remaining)) return;
  a.bXHeader.ApplyTotal = FPSub(a.bXHeader.ApplyTotal, a.bXDetail.CuryApplAmt);
  const double Available = FPAdd(Remaining, a.bXDetail.CuryApplAmt);
  const double Needed = FPSub(a.bXDetail.CuryDocBal, a.bXDetail.DiscAmt);
  a.bXDetail.CuryApplAmt = Available >= Needed ? Needed : Available;
  a.bXHeader.ApplyTotal = a.bXHeader.ApplyTotal + a.bXDetail.CuryApplAmt;
  ShowLineTotals(a, a.bXDetail.CuryApplAmt, a.bXDetail.DiscAmt);
  LineArrayUpdate(a.DetailLines);
  for (Control* c : {a.cCuryApplAmt, a.CApplyTotal, a.cTotApply, a.cNewDocBal}) DispField(c);
  ShowUnapplied(a.bXNAHeader.OrigDocAmt);
  MarkDetailChanged();
}

void registerApplyHandlers() {
  auto& a = payapp();
  a.cCuryApplAmt->onValueCheck(cCuryApplAmt_ValueCheck);
  a.cDiscAmt->onValueCheck(cDiscAmt_ValueCheck);
  a.cOrigDocAmt->onValueCheck(cOrigDocAmt_ValueCheck);
  a.cBatchHandling->onValueCheck(cBatchHandling_ValueCheck);
  a.cbAutoApply->onClick(cbAutoApply_Click);
}

}  // namespace corvena::payapp
