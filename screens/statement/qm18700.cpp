#include "screens/statement/qm18700.h"

#include <map>
#include <memory>

#include "runtime/kelpbas.h"
#include "runtime/run_program.h"

namespace corvena {
CORVENA_RECORD_LAYOUT(XStmtSelect, XSTMTSELECT_FIELDS)
CORVENA_RECORD_LAYOUT(XStmtStore, XSTMTSTORE_FIELDS)
CORVENA_RECORD_LAYOUT(XStmtDoc, XSTMTDOC_FIELDS)
}  // namespace corvena

namespace corvena::qm18700 {

using namespace corvena::host;
using namespace corvena::runtime;

namespace {

constexpr int AllToolbarButtons = 15;

// Screens of one process each have their own session (tests run several).
std::map<const forms::Session*, std::unique_ptr<QM18700>>& instances() {
  static std::map<const forms::Session*, std::unique_ptr<QM18700>> all;
  return all;
}

forms::Control* control(const char* name) {
  return &qm18700().Form1->control(name);
}

void Form_Load() {
  auto& q = qm18700();
  RuntimeInit();
  SetAddr(0, "bxstmt", q.bxstmt, q.nxstmt, sizeof(q.bxstmt));
  SetAddr(1, "bxstore", q.bxstore, q.nxstore, sizeof(q.bxstore));
  SetAddr(2, "bxdoc", q.bxdoc, q.nxdoc, sizeof(q.bxdoc));
  SqlCursorEx(q.CSR_STORES, 32769, "CSR_STORES", "XNACUSTS");
  SqlCursorEx(q.CSR_DOCS, 32770, "CSR_DOCS", "ARDOC");
  ScreenInit();
  q.Stores = detailsetup(q.CSR_STORES, control("spread1"), NoControl, q.bxstore, sizeof(q.bxstore),
                         NoControl, 0, NoControl, 0);
  q.Docs = detailsetup(q.CSR_DOCS, control("spread2"), NoControl, q.bxdoc, sizeof(q.bxdoc),
                       NoControl, 0, NoControl, 0);
  SetButton(AllToolbarButtons, -1, 0);
  q.bxstmt.asof = DateToday();
  q.bxstmt.paper = "A4";
  DispFields(nullptr, NoControl, NoControl);
}

void Form_Unload() {
  std::string first, second;
  ScreenExit(first, second);
}

void storeLine(const std::string& cust, const std::string& name, int oldest,
               const statement::Aging& aging, double credits, double balance) {
  auto& q = qm18700();
  q.bxstore.custid = cust;
  q.bxstore.name = name;
  q.bxstore.oldest = static_cast<std::int16_t>(std::min(oldest, 32767));
  double* buckets[] = {&q.bxstore.current, &q.bxstore.days30, &q.bxstore.days60, &q.bxstore.days90,
                       &q.bxstore.over90};
  for (int i = 0; i < statement::Aging::kBuckets; ++i) *buckets[i] = aging.bucket[i];
  q.bxstore.credits = credits;
  q.bxstore.balance = FPRound(balance);
  LineArrayInsert(q.Stores);
}

void clearGrids() {
  auto& q = qm18700();
  for (LineArrayHandle lines : {q.Stores, q.Docs}) {
    LineArrayClear(lines);
    LineArrayRedisplay(lines);
  }
  q.Shown = {};
}

// The stores oldest debt first, then the account's total.
void cmdRefresh_Click() {
  auto& q = qm18700();
  clearGrids();
  if (q.bxstmt.parentid.blank()) {
    MessBox("Parent Customer ID must be filled in.", StyleWarning, "System Message");
    return;
  }
  const auto read = selectedStatements();
  if (read.empty()) return;
  q.Shown = read.front();
  const statement::Statement& s = q.Shown;
  for (const statement::Store* store : statement::byOldestDebt(s))
    storeLine(store->custId, store->name, store->oldestDays, store->aging, store->creditTotal,
              store->balance());
  int oldest = 0;
  for (const auto& store : s.stores) oldest = std::max(oldest, store.oldestDays);
  storeLine(AccountLine, s.parentName, oldest, s.aging, s.creditTotal, s.balance());
  LineArrayRedisplay(q.Stores);
}

void docLine(const statement::OpenItem& item, bool credit) {
  auto& q = qm18700();
  q.bxdoc.custid = item.custId;
  q.bxdoc.doctype = item.docType;
  q.bxdoc.refnbr = item.refNbr;
  q.bxdoc.docdate = item.docDate;
  q.bxdoc.duedate = item.dueDate;
  q.bxdoc.original = item.original;
  q.bxdoc.balance = credit ? -item.balance : item.balance;
  q.bxdoc.days = static_cast<std::int16_t>(credit ? 0 : std::min(item.daysPastDue, 32767));
  LineArrayInsert(q.Docs);
}

// A store's line opens its open documents; the account's line every store's.
void spread1_Click() {
  auto& q = qm18700();
  if (LineArrayGetPos(q.Stores) < 0) return;
  const std::string chosen = q.bxstore.custid.trimmed();
  LineArrayClear(q.Docs);
  for (const auto& store : q.Shown.stores) {
    if (chosen != AccountLine && store.custId != chosen) continue;
    for (const auto& item : store.debits) docLine(item, false);
    for (const auto& item : store.credits) docLine(item, true);
  }
  LineArrayRedisplay(q.Docs);
}

// The host's document inquiry on the document of the line.
void spread2_Click() {
  auto& q = qm18700();
  if (LineArrayGetPos(q.Docs) < 0) return;
  std::string program = "0325000";
  std::string parameters = q.bxdoc.refnbr.trimmed() + TabText + q.bxdoc.custid.trimmed();
  RunProgramAndWait(program, parameters);
}

}  // namespace

std::vector<statement::Statement> selectedStatements() {
  const XStmtSelect& sel = qm18700().bxstmt;
  auto& session = forms::session();
  std::vector<std::string> parents;
  if (!sel.parentid.blank()) {
    parents.push_back(sel.parentid.trimmed());
  } else if (!sel.cycleid.blank()) {
    parents = statement::consolidatingAccounts(session.database(), sel.cycleid.trimmed());
    if (parents.empty())
      MessBox("No national account on statement cycle " + sel.cycleid.trimmed() +
                  " consolidates its statements.",
              StyleWarning, "System Message");
  } else {
    MessBox("Parent Customer ID or Statement Cycle must be filled in.", StyleWarning,
            "System Message");
  }
  std::vector<statement::Statement> out;
  try {
    for (const auto& parent : parents)
      out.push_back(statement::readStatement(session.database(), parent, sel.asof,
                                             session.currencyDecimals()));
  } catch (const db::DbError& e) {
    MessBox(e.what(), StyleWarning, "Warning");
    out.clear();
  }
  return out;
}

void registerHandlers(forms::Form& Form1) {
  auto& slot = instances()[&Form1.session()];
  slot = std::make_unique<QM18700>();
  slot->Form1 = &Form1;
  Form1.onLoad(Form_Load);
  Form1.onUnload(Form_Unload);
  Form1.control("cmdRefresh").onClick(cmdRefresh_Click);
  Form1.control("spread1").onClick(spread1_Click);
  Form1.control("spread2").onClick(spread2_Click);
  Form1.control("cmdPdf").onClick(cmdPdf_Click);
  Form1.control("cmdCsv").onClick(cmdCsv_Click);
  Form1.control("cmdPreview").onClick(cmdPreview_Click);
  Form1.control("cmdPrint").onClick(cmdPrint_Click);
}

QM18700& qm18700() {
  const auto it = instances().find(&forms::session());
  if (it == instances().end())
    throw forms::RuntimeError(forms::kErrBadHandle, "The statement screen is not loaded");
  return *it->second;
}

}  // namespace corvena::qm18700
