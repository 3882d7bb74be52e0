// The reversal's dialog: its form, shown modal, and its two buttons.
#include "screens/payapp/payapp_reverse.h"

#include "runtime/kelpbas.h"
#include "runtime/modal_forms.h"
#include "screens/payapp/payapp_state.h"

namespace corvena::payapp {

using namespace corvena::host;

namespace {

constexpr const char* Caption = "National Accounts";

const forms::FormDesc& ReverseDesc() {
  using enum forms::ControlClass;
  static const forms::FormDesc desc{
      .name = "frmReverse",
      .caption = "Reverse Batch (QM.183.01)",
      .controls = {
          {.cls = Frame, .name = "frmReversal", .caption = "Reversal"},
          {.cls = Label, .name = "lRevDate", .caption = "Reversal Date:", .parent = "frmReversal"},
          {.cls = Date, .name = "cRevDate", .fieldname = "bXHeader.RevDate", .parent = "frmReversal"},
          {.cls = Label, .name = "lRevReason", .caption = "Reason:", .parent = "frmReversal"},
          {.cls = MaskedText,
           .name = "cRevReason",
           .fieldname = "bXHeader.RevReason",
           .mask = std::string(30, 'X'),
           .parent = "frmReversal"},
          {.cls = Button, .name = "cmdReverseOK", .caption = "&Reverse", .parent = "frmReversal"},
          {.cls = Button, .name = "cmdReverseCancel", .caption = "&Cancel", .parent = "frmReversal"},
      }};
  return desc;
}

// The period a date falls in, on a calendar of a period a month.
std::string periodOf(const Date& date) {
  return date.iso().substr(0, 4) + date.iso().substr(5, 2);
}

// The date the clerk gave: not before the payment, not in a closed period.
bool DateRefused(PayApp& a, const Date& date) {
  if (date.isBlank() || date < a.bXNAHeader.DocDate) {
    MessBox("A reversal cannot be dated before the payment it reverses (" +
                a.bXNAHeader.DocDate.iso() + ").",
            StyleWarning, Caption);
    return true;
  }
  if (periodOf(date) < a.bARSetup.CurrPerNbr.trimmed()) {
    MessBox("Period " + periodOf(date) + " is closed: a reversal is dated in an open period (" +
                a.bARSetup.CurrPerNbr.trimmed() + " or later).",
            StyleWarning, Caption);
    return true;
  }
  return false;
}

void cmdReverseOK_Click() {
  auto& a = payapp();
  if (DateRefused(a, a.bXHeader.RevDate)) return;
  if (a.bXHeader.RevReason.blank()) {
    MessBox("Give the reason for the reversal.", StyleWarning, Caption);
    return;
  }
  hide_form(a.frmReverse);
  ReverseBatch(a.bXHeader.RevDate, a.bXHeader.RevReason.trimmed());
}

void cmdReverseCancel_Click() {
  hide_form(payapp().frmReverse);
}

Form& ReverseForm(PayApp& a) {
  if (a.frmReverse) return *a.frmReverse;
  Form& form = forms::session().loadForm(ReverseDesc());
  form.control("cmdReverseOK").onClick(cmdReverseOK_Click);
  form.control("cmdReverseCancel").onClick(cmdReverseCancel_Click);
  runtime::LoadSubForm(&form);
  a.frmReverse = &form;
  return form;
}

// The batch as stored: another window may have reversed it meanwhile.
void ReadStoredStatus(PayApp& a) {
  XNAHeader stored{};
  blankRecord(stored);
  if (SqlFetch1(a.CSR_Release, "SELECT * FROM XNAHeader WHERE NABatNbr = " + SParm(a.bXNAHeader.NABatNbr),
                stored, sizeof stored) != 0)
    return;
  a.bXNAHeader.Status = stored.Status;
  a.bXNAHeader.RevBatNbr = stored.RevBatNbr;
}

}  // namespace

void cmdReverse_Click() {
  auto& a = payapp();
  ReadStoredStatus(a);
  const std::string status = a.bXNAHeader.Status.trimmed();
  if (status == "V") {
    MessBox("This batch is already reversed, in AR batch " + a.bXNAHeader.RevBatNbr.trimmed() + ".",
            StyleWarning, Caption);
    return;
  }
  if (status != "C") {
    MessBox("Only a batch released into AR can be reversed.", StyleWarning, Caption);
    return;
  }
  if (!ReleaseAllowed() || !HostReleaseAllowed("0803000")) return;
  Form& form = ReverseForm(a);
  a.bXHeader.RevDate = forms::session().businessDate();
  a.bXHeader.RevReason = "";
  DispFields(&form, nullptr, nullptr);
  runtime::DisplayFormModal(&form, true);
}

}  // namespace corvena::payapp
