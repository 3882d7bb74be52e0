#include "screens/customer/qm18100.h"

#include <map>
#include <memory>

#include "runtime/kelpbas.h"
#include "runtime/text_value.h"

namespace corvena::qm18100 {

using namespace corvena::host;
using namespace corvena::runtime;

namespace {

// Screens of one process each have their own session (tests run several).
std::map<const forms::Session*, std::unique_ptr<QM18100>>& instances() {
  static std::map<const forms::Session*, std::unique_ptr<QM18100>> all;
  return all;
}

QM18100& qm18100() {
  QM18100* screen = screenOf(forms::session());
  if (!screen) throw forms::RuntimeError(forms::kErrBadHandle, "The customer setup is not loaded");
  return *screen;
}

void Form_Load() {
  auto& c = qm18100();
  RuntimeInit();
  SetAddr(0, "bXNACustP", c.bXNACustP, c.nXNACustP, sizeof(c.bXNACustP));
  SetAddr(1, "bXNACustS", c.bXNACustS, c.nXNACustS, sizeof(c.bXNACustS));
  SetAddr(15, "bCustomer", c.bCustomer, c.nCustomer, sizeof(c.bCustomer));
  SqlCursorEx(c.CSR_XNACUSTP, 0, "CSR_XNACUSTP", "XNACustP", "XNACustP");
  SqlCursorEx(c.CSR_XNACUSTS, 1, "CSR_XNACUSTS", "XNACUSTS", "XNACUSTS");
  SqlCursorEx(c.CSR_CUSTOMER, 271, "CSR_CUSTOMER", "CUSTOMER", "CUSTOMER");
  SqlCursorEx(c.CSR_CUSTOMERWORK, 271, "CSR_CUSTOMERWORK", "CUSTOMER", "CUSTOMER");
  SqlCursorEx(c.CSR_WORK, 15, "CSR_WORK", "XNACustS", "XNACustS");
  ScreenInit();
  c.ChildLines = detailsetup(c.CSR_XNACUSTS, c.Spread1, NoControl, c.bXNACustS, sizeof(c.bXNACustS),
                             c.bCustomer, sizeof(c.bCustomer), NoControl, 0, NoControl, 0);
  LevelChangeSet(0, LineUnchanged);
  LevelChangeSet(1, LineUnchanged);
  SqlFetch1(c.CSR_XNACUSTP, "Select * from XNACustP where 1 = 2", c.bXNACustP, sizeof(c.bXNACustP));
}

void Form_Unload() {
  std::string first, second;
  ScreenExit(first, second);
}

// A new parent must not inherit the options or the children of the parent shown
// before it: the grid loads by the parent ID in the record.
void startNewParent(QM18100& c, const std::string& parent) {
  c.bXNACustP = c.nXNACustP;
  c.bXNACustP.PrimaryCustId = parent;
}

// A customer that is already somebody's child cannot be a parent; any other
// customer is read as a national account, or starts as a new one.
int cPrimaryCustId_ValueCheck(std::string& ChkStrg) {
  auto& c = qm18100();
  const bool isChild = SqlFetch1(c.CSR_XNACUSTS, "XNACustS_Primary '%', " + SParm(ChkStrg),
                                 c.bXNACustS, sizeof(c.bXNACustS)) != NotFound;
  if (isChild) {
    MessBox("This customer is already a child customer of National Account : " +
                c.bXNACustS.PrimaryCustId.trimmed(),
            StyleWarning, "Warning");
  } else {
    if (Ex_dbnavfetch1(c.cPrimaryCustId, c.CSR_XNACUSTP, ChkStrg, c.bXNACustP,
                       sizeof(c.bXNACustP)) == NotFound)
      startNewParent(c, ChkStrg);
    GridLoad(c.Spread1);
    DispFields(nullptr, NoControl, NoControl);
  }
  c.SavedFinanceChrg = c.bXNACustP.FinanceChrg;
  return isChild ? SilentRefusal : 0;
}

// A customer heading a national account, even one not yet saved with children,
// would be locked out of this screen as somebody's child.
bool headsNationalAccount(QM18100& c, const std::string& customer) {
  c.bStoredParent = c.nXNACustP;
  return SqlFetch1(c.CSR_WORK, "Select * from XNACustP Where PrimaryCustId = " + SParm(customer),
                   c.bStoredParent, sizeof(c.bStoredParent)) != NotFound ||
         SqlFetch1(c.CSR_WORK,
                   "Select * from XVNACustomers_ALL Where PrimaryCustId = " + SParm(customer),
                   c.bWork, sizeof(c.bWork)) != NotFound;
}

// A child is neither the parent itself, nor a parent, nor a child of another
// national account; the same customer under this parent is accepted again.
int cSecondaryCustId_ValueCheck(std::string& ChkStrg) {
  auto& c = qm18100();
  if (c.bXNACustP.PrimaryCustId.blank()) {
    MessBox("Enter the parent customer before its child customers.", StyleWarning, "Warning");
    return SilentRefusal;
  }
  if (Trim(ChkStrg) == c.bXNACustP.PrimaryCustId.trimmed()) {
    MessBox("The child customer cannot be the same as the parent Customer.", StyleWarning,
            "Warning");
    return SilentRefusal;
  }
  if (headsNationalAccount(c, Trim(ChkStrg))) {
    MessBox("This customer is a National Account parent and cannot be a child customer.",
            StyleWarning, "Warning");
    return SilentRefusal;
  }
  const std::string query = "Select * from XVNACustomers_ALL Where PrimaryCustId <> " +
                            SParm(c.bXNACustP.PrimaryCustId) + " and SecondaryCustId Like " +
                            SParm(ChkStrg);
  if (SqlFetch1(c.CSR_WORK, query, c.bWork, sizeof(c.bWork)) != NotFound) {
    MessBox(
        "This customer is already part of National Account : " + c.bWork.PrimaryCustId.trimmed(),
        StyleWarning, "Warning");
    return SilentRefusal;
  }
  PVChkFetch1(NoControl, c.CSR_CUSTOMER, ChkStrg, c.bCustomer, sizeof(c.bCustomer));
  DispFields(nullptr, c.cName, c.cPhone);
  return 0;
}

int Spread1_LineChange(int action) {
  auto& c = qm18100();
  if (action == 0) c.bXNACustS.PrimaryCustId = c.bXNACustP.PrimaryCustId.view();
  return 0;
}

// The parent row may have come by navigation, which checks no entry: the
// stored option is read again before it is overwritten.
void readSavedFinanceChrg(QM18100& c) {
  c.bStoredParent = c.nXNACustP;
  SqlFetch1(c.CSR_WORK, "XNACustP_DBNav " + SParm(c.bXNACustP.PrimaryCustId), c.bStoredParent,
            sizeof(c.bStoredParent));
  c.SavedFinanceChrg = c.bStoredParent.FinanceChrg;
}

// Every line carries the current parent; lines as loaded keep their stamps.
void saveChildLines(QM18100& c) {
  const int position = LineArrayGetPos(c.ChildLines);
  for (int rc = LineArrayFirst(c.ChildLines); rc != NotFound; rc = LineArrayNext(c.ChildLines)) {
    if (LineArrayGetState(c.ChildLines) != LineUnchanged) stampAudit(c.bXNACustS, SignedOnStamp());
    c.bXNACustS.PrimaryCustId = c.bXNACustP.PrimaryCustId.view();
    LineArrayUpdate(c.ChildLines);
  }
  LineArraySetPos(c.ChildLines, position);
  LineArrayRedisplay(c.ChildLines);
}

bool childCyclesMatch(QM18100& c) {
  const int position = LineArrayGetPos(c.ChildLines);
  bool match = true;
  for (int rc = LineArrayFirst(c.ChildLines); rc != NotFound && match;
       rc = LineArrayNext(c.ChildLines))
    match = c.bCustomer.StmtCycleId.trimmed() == c.bParentCustomer.StmtCycleId.trimmed();
  LineArraySetPos(c.ChildLines, position);
  LineArrayRedisplay(c.ChildLines);
  return match;
}

// Consolidated statements need every child on the parent's statement cycle;
// otherwise the save goes on with the option cleared.
void checkStatementCycles(QM18100& c) {
  c.StatementCleared = false;
  if (c.bXNACustP.Statement != 1) return;
  if (SqlFetch1(c.CSR_CUSTOMERWORK, "customer_all " + SParm(c.bXNACustP.PrimaryCustId),
                c.bParentCustomer, sizeof(c.bParentCustomer)) == NotFound)
    return;
  if (childCyclesMatch(c)) return;
  MessBox(
      "Statement cycles do not match the parent.  Please update the child customer records and "
      "re-set the check box.",
      StyleWarning, "Warning");
  Sql(c.CSR_WORK, "Update xnacustp set statement = 0 where primarycustid = " +
                      SParm(c.bXNACustP.PrimaryCustId));
  c.bXNACustP.Statement = 0;
  c.StatementCleared = true;
}

int Update1_SaveLevel(int level) {
  auto& c = qm18100();
  if (level == 0) {
    readSavedFinanceChrg(c);
    stampAudit(c.bXNACustP, SignedOnStamp());
  }
  if (level == 1) saveChildLines(c);
  if (level == forms::kWholeSaveLevel) checkStatementCycles(c);
  return 0;
}

// Runs once the save is committed, so the children linked or removed by the
// same save are the ones it reaches.
void applyFinanceCharges(QM18100& c) {
  if (c.SavedFinanceChrg == c.bXNACustP.FinanceChrg) return;
  Sql(c.CSR_CUSTOMER,
      "XNAUpdateFinChrg " + SParm(c.bXNACustP.PrimaryCustId) + IParm(c.bXNACustP.FinanceChrg));
  c.SavedFinanceChrg = c.bXNACustP.FinanceChrg;
}

// A cleared statement option is shown as stored, with the national account read again.
void Update1_SaveCompleted(int, int) {
  auto& c = qm18100();
  applyFinanceCharges(c);
  if (!c.StatementCleared) return;
  c.StatementCleared = false;
  std::string parent = c.bXNACustP.PrimaryCustId.trimmed();
  cPrimaryCustId_ValueCheck(parent);
}

}  // namespace

void registerHandlers(forms::Form& Form1) {
  auto& slot = instances()[&Form1.session()];
  slot = std::make_unique<QM18100>();
  slot->cPrimaryCustId = &Form1.control("cPrimaryCustId");
  slot->cName = &Form1.control("cName");
  slot->cPhone = &Form1.control("cPhone");
  slot->Spread1 = &Form1.control("Spread1");
  Form1.onLoad(Form_Load);
  Form1.onUnload(Form_Unload);
  slot->cPrimaryCustId->onValueCheck(cPrimaryCustId_ValueCheck);
  Form1.control("cSecondaryCustId").onValueCheck(cSecondaryCustId_ValueCheck);
  slot->Spread1->onLineChange(Spread1_LineChange);
  Form1.control("Update1").onSaveLevel(Update1_SaveLevel).onSaveCompleted(Update1_SaveCompleted);
}

QM18100* screenOf(const forms::Session& session) {
  const auto it = instances().find(&session);
  return it == instances().end() ? nullptr : it->second.get();
}

}  // namespace corvena::qm18100
