// The documents a release enters in the host screens: the debit memo of a
// credit, the payments per customer, the parent's remainder, the credit itself
// applied to the memo, and each application line.
#include "runtime/kelpbas.h"
#include "runtime/text_value.h"
#include "screens/payapp/payapp_release.h"
#include "screens/payapp/payapp_release_steps.h"
#include "screens/payapp/payapp_state.h"

namespace corvena::payapp {

using namespace corvena::host;
using runtime::Trim;

namespace {

// The memo's description, by which the payment phase finds it again.
std::string memoDescription(const PayApp& a) {
  return ("NA" + a.bXNAHeader.NABatNbr.trimmed() + "-" + a.bXNAHeader.vond1.trimmed() +
          a.bXNAHeader.vond2.trimmed())
      .substr(0, 30);
}

// DParm's text of the header's date, trimmed, without its first character: our
// DParm quotes the date, so its closing quote goes too.
std::string documentDate(const PayApp& a) {
  std::string text = Trim(DParm(a.bXNAHeader.DocDate));
  if (!text.empty()) text.erase(0, 1);
  if (!text.empty() && text.back() == '\'') text.pop_back();
  return text;
}

void enableWhenAsked(runtime::HostScreen& screen, std::string_view control) {
  if (HostFieldProperty(screen, control, "Enabled") == "True")
    HostField(screen, control).ControlValue("");
}

}  // namespace

std::string PrefixedReference(char letter, const std::string& reference) {
  return std::string(1, letter) +
         (reference.size() < 10 ? reference : reference.substr(reference.size() - 9));
}

void EnterDebitMemo() {
  auto& a = payapp();
  auto& memo = *a.MemoScreen;
  const std::string description = memoDescription(a);
  const std::string wash = a.bXNASetup.vond1.trimmed(), washSub = a.bXNASetup.vond2.trimmed();
  const runtime::HostErrorReport report{.skippedCodes = {23, 126, 272, 2104, 2105},
                                        .abort = HandleDebitMemoError};
  hostStep(report, [&] { memo.StartNewAtLevel(HostFieldProperty(memo, "crefnbr", "Level")); });
  hostStep(report, [&] { HostField(memo, "cDocType").ControlValue("Debit Memo"); });
  if (a.bARSetup.AutoRef == 0)
    hostStep(report, [&] {
      HostField(memo, "cRefNbr")
          .ControlValue(PrefixedReference('D', a.bXNAHeader.RefNbr.trimmed()));
    });
  hostStep(report, [&] { HostField(memo, "cCustID").ControlValue(a.bApplyDoc.CustId.view()); });
  hostStep(report, [&] { HostField(memo, "corigdocamt").ControlValue(a.bXHeader.ApplyTotal); });
  hostStep(report, [&] { HostField(memo, "cdocdesc").ControlValue(description); });
  hostStep(report, [&] {
    if (Trim(HostFieldProperty(memo, "cProjectID_Hdr", "BlankErr")) == "True")
      HostField(memo, "cProjectID_Hdr").ControlValue(a.DefaultProject);
  });
  hostStep(report, [&] { memo.StartNewAtLevel(HostFieldProperty(memo, "cunitprice", "Level")); });
  // The memo keeps the host's AR account and its line takes the wash account,
  // which the payments made through it clear: AR and the GL move together.
  hostStep(report, [&] {
    HostField(memo, "cAcct").ControlValue(wash);
    HostField(memo, "cqty").ControlValue(std::int16_t{1});
    HostField(memo, "cUnitPrice").ControlValue(a.bXHeader.ApplyTotal);
    HostField(memo, "ctrandesc").ControlValue(description);
    HostField(memo, "cSub").ControlValue(washSub);
  });
  hostStep(report, [&] {
    enableWhenAsked(memo, "ctaxcat");
    enableWhenAsked(memo, "ctaxiddflt");
  });
  hostStep(report, [&] { HostField(memo, "cPerPost").ControlValue(a.bXNAHeader.PerPost.view()); });
}

void FinishPendingDocument(const std::string& level) {
  auto& a = payapp();
  auto& pay = *a.PayScreen;
  std::int16_t state = 0;
  if (Trim(HostField(pay, "cCustId").ControlValue()).empty()) return;
  pay.LevelEditState(level, state);
  if (state == 3) return;
  HostField(pay, "cOrigDocAmt").ControlValue(a.PendingDocTotal);
  pay.SaveScreen();
  if (a.ReleaseBatchNbr.empty()) NoteReleaseBatch(Trim(HostField(pay, "cBatNbr").ControlValue()));
}

bool StartCustomerPayment() {
  auto& a = payapp();
  auto& pay = *a.PayScreen;
  const std::string cust = a.bXDetail.CustId.trimmed();
  const runtime::HostErrorReport report{
      .skippedCodes = {23, 126, 6243, 6371},
      .codeTexts = {{3007, "Duplicate reference number for customer " + cust}},
      .numbersWithoutRows = {7506, 7516, 7517},
      .abort = HandlePaymentAppError};
  try {
    std::string level;
    hostStep(report, [&] { level = HostFieldProperty(pay, "crefnbr", "Level"); });
    hostStep(report, [&] {
      FinishPendingDocument(level);
      pay.StartNewAtLevel(level);
    });
    a.PendingDocTotal = 0;
    const std::string type = a.bXNAHeader.vond1.trimmed();
    std::string reference = a.bXNAHeader.RefNbr.trimmed();
    if (a.bXDetail.CustId == a.bXNAHeader.CustId) {
      if (type == "NP" && a.bXHeader.ApplyTotal < a.bXNAHeader.OrigDocAmt) {
        a.PendingDocTotal = FPSub(a.bXNAHeader.OrigDocAmt, a.bXHeader.ApplyTotal, -32768);
        a.RemainderPlaced = true;
      }
    } else if (type == "NP") {
      reference = PrefixedReference('N', reference);
    }
    std::vector<runtime::TypedStep> steps{{{"cCustID", cust}, {"cDocType", "Payment"}},
                                          {{"cRefNbr", reference}}};
    if (type != "NP")
      steps.push_back(
          {{"cBankAcct", a.bXNASetup.vond1.trimmed()}, {"cBankSub", a.bXNASetup.vond2.trimmed()}});
    steps.push_back({{"cdocdate", documentDate(a)}});
    steps.push_back({{"cOrigDocAmt", runtime::HostAmountText(a.bXNAHeader.OrigDocAmt)}});
    steps.push_back({{"cPerPost", std::string(a.bXNAHeader.PerPost.view())}});
    runtime::typingSteps(report, pay, steps);
    return true;
  } catch (const ReleaseEnded&) {
    return false;
  }
}

void PostParentRemainder() {
  auto& a = payapp();
  auto& pay = *a.PayScreen;
  const std::string level = HostFieldProperty(pay, "crefnbr", "Level");
  FinishPendingDocument(level);
  pay.StartNewAtLevel(level);
  pay.TypeValues({{"cCustID", a.bXNAHeader.CustId.trimmed()},
                  {"cDocType", "Payment"},
                  {"cRefNbr", a.bXNAHeader.RefNbr.trimmed()}});
  const double remainder = FPSub(a.bXNAHeader.OrigDocAmt, a.bXHeader.ApplyTotal, -32768);
  HostField(pay, "cOrigDocAmt").ControlValue(remainder);
  a.PendingDocTotal = remainder;
  HostField(pay, "cdocdate").ControlValue(documentDate(a));
  pay.SaveScreen();
  if (a.ReleaseBatchNbr.empty()) NoteReleaseBatch(Trim(HostField(pay, "cBatNbr").ControlValue()));
}

void SelectCreditDocument() {
  auto& a = payapp();
  auto& pay = *a.PayScreen;
  const std::string level = HostFieldProperty(pay, "crefnbr", "Level");
  FinishPendingDocument(level);
  pay.StartNewAtLevel(level);
  const std::string type = a.bXNAHeader.vond1.trimmed();
  pay.TypeValues({{"ccustid", a.bApplyDoc.CustId.trimmed()},
                  {"cDocType", type == "CM" ? "Credit Memo" : type == "PA" ? "Payment" : "Prepayment"},
                  {"cRefNbr", a.bXNAHeader.vond2.trimmed()}});
}

// Only the reference identifies the row.
bool ApplyToDocument(const Text<10>& refnbr, double amount, double discount) {
  auto& a = payapp();
  auto& pay = *a.PayScreen;
  const std::string level = HostFieldProperty(pay, "crefnbr1", "Level");
  // The host walks its grid from the first row to the reference for us and
  // types the amount there: one request a line, not one a row.
  std::int16_t state = 0;
  pay.GridFind(level, "crefnbr1", refnbr.view(), state, {{"ctranamt", amount}});
  if (state != 2) return false;
  if (discount != 0) {
    const runtime::HostErrorReport own{.skippedCodes = {23, 272, 2104, 2105, 12338}};
    try {
      hostStep(own, [&] { HostField(pay, "cCuryUnitPrice").ControlValue(discount); });
    } catch (const ReleaseEnded&) {
      return false;
    }
  }
  a.PendingDocTotal = FPAdd(a.PendingDocTotal, amount, -32768);
  pay.GridNext(level, state);
  return true;
}

}  // namespace corvena::payapp
