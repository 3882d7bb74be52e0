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

// Screens of one process each have their own session (tests run several).
std::map<const forms::Session*, std::unique_ptr<QM18800>>& instances() {
  static std::map<const forms::Session*, std::unique_ptr<QM18800>> all;
  return all;
}

forms::Control* control(const char* name) {
  return &qm18800().Form1->control(name);
}

void Form_Load() {
  auto& q = qm18800();
  RuntimeInit();
  SetAddr(1, "bXNAHEADER", q.bXNAHEADER, q.nXNAHEADER, sizeof(q.bXNAHEADER));
  SetAddr(0, "bxheader", q.bxheader, q.nxheader, sizeof(q.bxheader));
  SetAddr(15, "bxnadetail", q.bxnadetail, q.nxnadetail, sizeof(q.bxnadetail));
  SqlCursorEx(q.CSR_XNAINQUIRY, 32769, "CSR_XNAINQUIRY", "XNAHEADER,XNADETAIL",
              "XNAHEADER,XNADETAIL");
  ScreenInit();
  q.Lines = detailsetup(q.CSR_XNAINQUIRY, control("spread1"), NoControl, q.bXNAHEADER,
                        sizeof(q.bXNAHEADER), q.bxnadetail, sizeof(q.bxnadetail), NoControl, 0,
                        NoControl, 0);
  SetButton(AllToolbarButtons, -1, 0);
}

void Form_Unload() {
  std::string first, second;
  ScreenExit(first, second);
}

void enable(std::initializer_list<const char*> on, std::initializer_list<const char*> off) {
  forms::Form* form = qm18800().Form1;
  for (const char* name : on) SetProps(form, control(name), control(name), "enabled", true);
  for (const char* name : off) SetProps(form, control(name), control(name), "enabled", false);
}

int optSearchType_ValueCheck(std::string& ChkStrg) {
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

int cCustomer_ValueCheck(std::string&) {
  qm18800().bxheader.checknbr = "";
  DispFields(nullptr, control("cCheckNbr"), control("cCheckNbr"));
  return 0;
}

// The search's statement, or empty when its selection is missing (said so).
std::string statement() {
  const XInquiry& h = qm18800().bxheader;
  const std::string type = h.searchtype.trimmed();
  const std::string joined = " and xnaheader.nabatnbr = xnadetail.nabatnbr";
  if (type == "I") {
    if (h.invoicenbr.blank()) {
      MessBox("Invoice Number field must be filled in.", StyleWarning, "System Message");
      return {};
    }
    return "select * from xnaheader, xnadetail where xnadetail.refnbr = " + SParm(h.invoicenbr) +
           joined;
  }
  if (type == "C" || type == "S") {
    const bool byHeader = type == "C";
    const auto& cust = byHeader ? h.custid : h.custid2;
    const auto& check = byHeader ? h.checknbr : h.checknbr2;
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

void cmdRefresh_Click() {
  auto& q = qm18800();
  LineArrayClear(q.Lines);
  LineArrayRedisplay(q.Lines);
  const std::string sql = statement();
  if (sql.empty()) return;
  LineArrayLoad(q.Lines, q.CSR_XNAINQUIRY, sql);
  LineArrayRedisplay(q.Lines);
}

// The host's document inquiry on the document the current line applied to.
void cmdVoucher_Click() {
  auto& q = qm18800();
  if (LineArrayGetPos(q.Lines) < 0) return;
  std::string program = "0325000";
  std::string parameters = q.bxnadetail.RefNbr.trimmed() + TabText + q.bxnadetail.CustId.trimmed();
  RunProgramAndWait(program, parameters);
}

}  // namespace

void registerHandlers(forms::Form& Form1) {
  auto& slot = instances()[&Form1.session()];
  slot = std::make_unique<QM18800>();
  slot->Form1 = &Form1;
  Form1.onLoad(Form_Load);
  Form1.onUnload(Form_Unload);
  Form1.control("optSearchType").onValueCheck(optSearchType_ValueCheck);
  Form1.control("cCustomer").onValueCheck(cCustomer_ValueCheck);
  Form1.control("cmdRefresh").onClick(cmdRefresh_Click);
  Form1.control("cmdVoucher").onClick(cmdVoucher_Click);
  Form1.control("spread1").onClick(cmdVoucher_Click);
}

QM18800& qm18800() {
  const auto it = instances().find(&forms::session());
  if (it == instances().end())
    throw forms::RuntimeError(forms::kErrBadHandle, "The payment inquiry screen is not loaded");
  return *it->second;
}

}  // namespace corvena::qm18800
