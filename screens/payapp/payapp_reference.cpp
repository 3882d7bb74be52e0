#include "screens/payapp/payapp_reference.h"

#include <cstdio>

#include "screens/payapp/payapp_display.h"
#include "screens/payapp/payapp_state.h"

namespace corvena::payapp {

using namespace corvena::host;

namespace {

constexpr int kDuplicateReference = 3007;
constexpr int kCandidates = 99;
constexpr std::size_t kStemLength = 6;

bool arPaymentUses(PayApp& a, std::string_view custPattern, std::string_view reference) {
  return SqlFetch1(a.CSR_ARDOC,
                   "ARDoc_CpnyID_Type_Ref2 " + std::string("'%'") + SParm(custPattern) + "'PA'" +
                       SParm(reference),
                   a.bARDoc, sizeof a.bARDoc) != NotFound;
}

// The batch on screen holds its own reference; only another batch's use counts.
bool otherBatchUses(PayApp& a, std::string_view reference, std::string_view custPattern) {
  int rc =
      SqlFetch1(a.CSR_XNAHEADERWork,
                "XNAHeader_RefNbr " + std::string("'%'") + SParm(reference) + SParm(custPattern),
                a.bRefHeader, sizeof a.bRefHeader);
  while (rc != NotFound && a.bRefHeader.NABatNbr == a.bXNAHeader.NABatNbr) {
    rc = SFetch1(a.CSR_XNAHEADERWork, a.bRefHeader, sizeof a.bRefHeader);
  }
  return rc != NotFound;
}

double openBalance(PayApp& a, std::string_view reference) {
  double value = 0;
  Sql(a.CSR_work, "XGet_OpenBal " + SParm(reference));
  SGroupFetch1(a.CSR_work, value, 8);
  return value;
}

void placeGeneratedRefNbr(PayApp& a, std::string_view reference) {
  const auto generated = GeneratePaymentRefNbr(a.bXNAHeader.vond1.trimmed(), reference);
  if (generated) {
    a.bXNAHeader.RefNbr = *generated;
    DispField(a.cNARefNbr);
    EnableField(a.cNARefNbr, false);
    return;
  }
  MessBox(
      "All 99 unique versions of this reference have been generated.  Please determine a unique "
      "number.",
      StylePlain, "National Accounts");
  a.bXNAHeader.RefNbr = "";
  DispField(a.cNARefNbr);
  EnableField(a.cNARefNbr, true);
}

}  // namespace

std::optional<std::string> GeneratePaymentRefNbr(std::string_view type,
                                                 std::string_view reference) {
  auto& a = payapp();
  const std::string stem =
      Text<30>(type).trimmed() + Text<30>(reference).trimmed().substr(0, kStemLength);
  for (int n = 1; n <= kCandidates; ++n) {
    char suffix[3];
    std::snprintf(suffix, sizeof suffix, "%02d", n);
    const std::string candidate = (stem + suffix).substr(0, 10);
    if (!arPaymentUses(a, "%", candidate) && !otherBatchUses(a, candidate, "%")) return candidate;
  }
  return std::nullopt;
}

bool ReferenceTakenMeanwhile() {
  auto& a = payapp();
  if (a.bXNAHeader.Status.trimmed() != "O" || a.bXNAHeader.RefNbr.blank()) return false;
  if (!otherBatchUses(a, a.bXNAHeader.RefNbr.trimmed(), a.bXNAHeader.CustId.trimmed())) return false;
  Mess(kDuplicateReference);
  return true;
}

int cCMRefNbr_ValueCheck(std::string& text) {
  auto& a = payapp();
  if (a.bXNAHeader.vond1 == "NP") {
    EnableField(a.cNARefNbr, true);
    return 0;
  }
  PVChkFetch4(nullptr, a.CSR_ARDOC, text, a.bApplyDoc, sizeof a.bApplyDoc, a.bApplyDocCust,
              sizeof a.bApplyDocCust);
  ShowCaption(a.lFromCust, "From Customer: " + a.bApplyDoc.CustId.trimmed());
  const double balance = openBalance(a, text);
  a.bXNAHeader.RefNbr = "";
  a.bXHeader.ApplyTotal = 0;
  a.bXHeader.DiscTotal = 0;
  a.bXHeader.UnAppliedAmt = 0;
  a.bXNAHeader.OrigDocAmt = balance;
  SetColumnAllLines(a.cCuryApplAmt, "0");
  for (Control* c : {a.cNARefNbr, a.cUnappliedAmt, a.CApplyTotal, a.cOrigDocAmt}) DispField(c);
  placeGeneratedRefNbr(a, text);
  return 0;
}

int cNARefNbr_ValueCheck(std::string& text) {
  auto& a = payapp();
  const std::string reference = Text<10>(text).trimmed();
  if (a.bXNAHeader.Status != "O" || reference == a.bXNAHeader.RefNbr.trimmed()) return 0;
  if (arPaymentUses(a, a.bXNAHeader.CustId.trimmed(), reference)) {
    Mess(kDuplicateReference);
    return 0;
  }
  if (otherBatchUses(a, reference, a.bXNAHeader.CustId.trimmed())) {
    Mess(kDuplicateReference);
    return SilentRefusal;
  }
  return 0;
}

}  // namespace corvena::payapp
