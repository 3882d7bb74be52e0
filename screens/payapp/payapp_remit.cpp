#include "screens/payapp/payapp_remit.h"

#include "runtime/customer_standing.h"

#include "screens/payapp/payapp_remit_account.h"
#include "screens/payapp/payapp_remit_review.h"
#include "screens/payapp/payapp_state.h"
#include "screens/payapp/remit/remit_read.h"
#include "screens/payapp/remit/remit_values.h"

namespace corvena::payapp {

using namespace corvena::host;

namespace {

constexpr const char* Caption = "National Accounts";

bool Typed(Control* control, const std::string& text) {
  return forms::session().enterValue(*control, text);
}

// Only a new payment takes a remittance: one batch, one check, typed once.
bool RefusedImport(PayApp& a) {
  const bool newPayment = a.bXNAHeader.NABatNbr.blank() && a.bXNAHeader.Status == "O" &&
                          a.bXNAHeader.vond1.trimmed() == "NP" && a.bXHeader.ApplyTotal == 0;
  if (newPayment) return false;
  MessBox("A remittance is imported into a new payment with nothing applied yet: press New first.",
          StyleWarning, Caption);
  return true;
}

// The parent on the screen, or the one the file names when the screen has none.
bool EnterParent(PayApp& a, const std::string& payer) {
  const std::string parent = a.bXNAHeader.CustId.trimmed();
  if (parent.empty()) {
    if (payer.empty()) {
      MessBox("The remittance does not name its payer: enter the parent first.", StyleWarning,
              Caption);
      return false;
    }
    return Typed(a.cCustId, payer);
  }
  if (payer.empty() || payer == parent || payer == a.bCustomer.Name.trimmed()) return true;
  MessBox("The remittance is from " + payer + ", not from " + parent + ": nothing was imported.",
          StyleWarning, Caption);
  return false;
}

// The check as the clerk would type it; false when the screen refused a field.
bool EnterCheck(PayApp& a, const remit::Remittance& r) {
  if (!EnterParent(a, r.payer) || !Typed(a.cNARefNbr, r.checkNumber)) return false;
  if (!r.checkDate.isBlank() && !Typed(a.cDocDate, r.checkDate.iso())) return false;
  return Typed(a.cOrigDocAmt, remit::amountText(r.checkAmount));
}

// The line's amount and discount typed on its document's grid line; a refusal
// there takes back what the line got and says so in the review.
void EnterLine(PayApp& a, remit::LineMatch& m, const remit::Account& account) {
  if (m.applied == 0 && m.discount == 0) return;
  auto& s = forms::session();
  const bool typed = s.grids().selectLine(*a.Spread1, account.documents[m.document].gridLine) &&
                     Typed(a.cCuryApplAmt, remit::amountText(m.applied));
  if (typed && (m.discount == 0 || Typed(a.cDiscAmt, remit::amountText(m.discount)))) return;
  if (typed) Typed(a.cCuryApplAmt, "0");
  m.outcome = remit::Outcome::NotApplied;
  m.note = "Refused by the screen, as it would refuse typing it.";
  m.applied = m.discount = 0;
}

void Totals(remit::MatchResult& result, remit::Cents check) {
  result.applied = result.discount = 0;
  for (const auto& m : result.lines) {
    result.applied += m.applied;
    result.discount += m.discount;
  }
  result.unapplied = check - result.applied;
}

}  // namespace

void ImportRemittance(const std::string& path) {
  auto& a = payapp();
  if (RefusedImport(a)) return;
  remit::Remittance remittance;
  try {
    remittance = remit::readRemittanceFile(path);
  } catch (const remit::RemitError& e) {
    MessBox(std::string(e.what()) + " Nothing was imported.", StyleWarning, Caption);
    return;
  }
  if (const std::string overrun = remit::overrunOf(remittance); !overrun.empty()) {
    MessBox(overrun, StyleWarning, Caption);
    return;
  }
  if (!EnterCheck(a, remittance)) return;
  const remit::Account account = RemittanceAccount();
  auto result = remit::matchRemittance(remittance, account, a.bXNAHeader.DocDate);
  {
    const runtime::FamilyStanding standing(a.bXNAHeader.CustId.view());
    for (auto& m : result.lines) EnterLine(a, m, account);
  }
  Totals(result, remittance.checkAmount);
  forms::session().ui().report(RemittanceReview(remittance, account, result));
}

void cmdImport_Click() {
  const std::string path = forms::session().ui().chooseFile(
      "Import Remittance", "Remittance files (*.csv *.txt *.xml *.820 *.edi);;All files (*)");
  if (!path.empty()) ImportRemittance(path);
}

}  // namespace corvena::payapp
