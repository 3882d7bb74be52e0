#include "screens/inquiry/qm18800.h"

#include <map>
#include <memory>

#include "runtime/kelpbas.h"
#include "runtime/run_program.h"
#include "runtime/text_value.h"

namespace corvena {
CORVENA_RECORD_LAYOUT(XInquiry, XINQUIRY_FIELDS)
}  // namespace corvena

namespace corvena::qm18800 {

using namespace corvena::host;
using namespace corvena::runtime;

namespace {

constexpr int AllToolbarButtons = 15;
constexpr const char* SelectionMissing = "Customer ID and Check Number fields must be filled in.";

std::map<const forms::Session*, std::unique_ptr<QM18800>>& screens() {
  static std::map<const forms::Session*, std::unique_ptr<QM18800>> all;
  return all;
}

}  // namespace

QM18800& registerHandlers(forms::Form& Form1) {
  auto& slot = screens()[&Form1.session()];
  slot = std::make_unique<QM18800>(Form1);
  return *slot;
}

QM18800::QM18800(forms::Form& form) : form_(form) {
  form.onLoad([this] { Form_Load(); });
  form.onUnload([this] { Form_Unload(); });
  form.control("optSearchType").onValueCheck([this](std::string& s) {
    return optSearchType_ValueCheck(s);
  });
  form.control("cCustomer").onValueCheck([this](std::string& s) { return cCustomer_ValueCheck(s); });
  form.control("cmdRefresh").onClick([this] { cmdRefresh_Click(); });
  form.control("cmdVoucher").onClick([this] { cmdVoucher_Click(); });
  form.control("spread1").onClick([this] { cmdVoucher_Click(); });
}

void QM18800::Form_Load() {
  RuntimeInit();
  SetAddr(1, "bXNAHEADER", bXNAHEADER, nXNAHEADER, sizeof(bXNAHEADER));
  SetAddr(0, "bxheader", bxheader, nxheader, sizeof(bxheader));
  SetAddr(15, "bxnadetail", bxnadetail, nxnadetail, sizeof(bxnadetail));
  SqlCursorEx(CSR_XNAINQUIRY, 32769, "CSR_XNAINQUIRY", "XNAHEADER,XNADETAIL",
              "XNAHEADER,XNADETAIL");
  ScreenInit();
  Lines = detailsetup(CSR_XNAINQUIRY, &form_.control("spread1"), NoControl, bXNAHEADER,
                      sizeof(bXNAHEADER), bxnadetail, sizeof(bxnadetail), NoControl, 0, NoControl,
                      0);
  SetButton(AllToolbarButtons, -1, 0);
}

void QM18800::Form_Unload() {
  std::string first, second;
  ScreenExit(first, second);
}

void QM18800::enable(std::initializer_list<const char*> on, std::initializer_list<const char*> off) {
  for (const char* name : on) SetProps(&form_, &form_.control(name), &form_.control(name), "enabled", true);
  for (const char* name : off)
    SetProps(&form_, &form_.control(name), &form_.control(name), "enabled", false);
}

int QM18800::optSearchType_ValueCheck(std::string& ChkStrg) {
  const std::string type = Trim(ChkStrg);
  if (type == "I")
    enable({"cInvcNbr", "lInvoiceNbr"}, {"cCustomer", "cCheckNbr", "lCustomer", "lCheck",
                                         "cCheckNbr2", "cCustomer2", "lCustomer2", "lCheck2"});
  else if (type == "C")
    enable({"cCheckNbr", "cCustomer", "lCustomer", "lCheck"},
           {"cInvcNbr", "cCheckNbr2", "cCustomer2", "lCustomer2", "lCheck2", "lInvoiceNbr"});
  else if (type == "S")
    enable({"cCheckNbr2", "cCustomer2", "lCustomer2", "lCheck2"},
           {"cInvcNbr", "cCheckNbr", "cCustomer", "lCustomer", "lCheck", "lInvoiceNbr"});
  return 0;
}

int QM18800::cCustomer_ValueCheck(std::string&) {
  bxheader.checknbr = "";
  DispFields(nullptr, &form_.control("cCheckNbr"), &form_.control("cCheckNbr"));
  return 0;
}

// The search's statement, or empty when its selection is missing (said so).
std::string QM18800::statement() {
  const std::string type = bxheader.searchtype.trimmed();
  const std::string joined = " and xnaheader.nabatnbr = xnadetail.nabatnbr";
  if (type == "I") {
    if (bxheader.invoicenbr.blank()) {
      MessBox("Invoice Number field must be filled in.", StyleWarning, "System Message");
      return {};
    }
    return "select * from xnaheader, xnadetail where xnadetail.refnbr = " +
           SParm(bxheader.invoicenbr) + joined;
  }
  if (type == "C" || type == "S") {
    const bool byHeader = type == "C";
    const auto& cust = byHeader ? bxheader.custid : bxheader.custid2;
    const auto& check = byHeader ? bxheader.checknbr : bxheader.checknbr2;
    if (cust.blank() || check.blank()) {
      MessBox(SelectionMissing, StyleWarning, "System Message");
      return {};
    }
    return byHeader ? "select * from xnaheader, xnadetail where xnaheader.custid = " + SParm(cust) +
                          " and xnaheader.refnbr = " + SParm(check) + joined
                    : "select * from xnaheader, xnadetail where xnadetail.custid = " + SParm(cust) +
                          " and xnadetail.arrefnbr = " + SParm(check) + joined;
  }
  MessBox("Invalid selection criteria specified.", StyleWarning, "System Message");
  return {};
}

void QM18800::cmdRefresh_Click() {
  LineArrayClear(Lines);
  LineArrayRedisplay(Lines);
  const std::string sql = statement();
  if (sql.empty()) return;
  LineArrayLoad(Lines, CSR_XNAINQUIRY, sql);
  LineArrayRedisplay(Lines);
}

// The host's document inquiry on the document the current line applied to.
void QM18800::cmdVoucher_Click() {
  if (LineArrayGetPos(Lines) < 0) return;
  std::string program = "0325000";
  std::string parameters = bxnadetail.RefNbr.trimmed() + TabText + bxnadetail.CustId.trimmed();
  RunProgramAndWait(program, parameters);
}

}  // namespace corvena::qm18800
