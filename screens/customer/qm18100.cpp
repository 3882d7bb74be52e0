#include "screens/customer/qm18100.h"

#include <map>
#include <memory>

#include "runtime/kelpbas.h"
#include "runtime/text_value.h"

namespace corvena::qm18100 {

using namespace corvena::host;
using namespace corvena::runtime;

namespace {

std::map<const forms::Session*, std::unique_ptr<QM18100>>& screens() {
  static std::map<const forms::Session*, std::unique_ptr<QM18100>> all;
  return all;
}

}  // namespace

QM18100& registerHandlers(forms::Form& Form1) {
  auto& slot = screens()[&Form1.session()];
  slot = std::make_unique<QM18100>(Form1);
  return *slot;
}

QM18100* screenOf(const forms::Session& session) {
  const auto it = screens().find(&session);
  return it == screens().end() ? nullptr : it->second.get();
}

QM18100::QM18100(forms::Form& form)
    : cPrimaryCustId(&form.control("cPrimaryCustId")),
      cSecondaryCustId(&form.control("cSecondaryCustId")),
      cName(&form.control("cName")),
      cPhone(&form.control("cPhone")),
      Spread1(&form.control("Spread1")),
      Update1(&form.control("Update1")) {
  form.onLoad([this] { Form_Load(); });
  form.onUnload([this] { Form_Unload(); });
  cPrimaryCustId->onValueCheck([this](std::string& s) { return cPrimaryCustId_ValueCheck(s); });
  cSecondaryCustId->onValueCheck([this](std::string& s) { return cSecondaryCustId_ValueCheck(s); });
  Spread1->onLineChange([this](int action) { return Spread1_LineChange(action); });
  Update1->onSaveLevel([this](int level) { return Update1_SaveLevel(level); });
  Update1->onSaveCompleted([this](int first, int second) { Update1_SaveCompleted(first, second); });
}

void QM18100::Form_Load() {
  RuntimeInit();
  SetAddr(0, "bXNACustP", bXNACustP, nXNACustP, sizeof(bXNACustP));
  SetAddr(1, "bXNACustS", bXNACustS, nXNACustS, sizeof(bXNACustS));
  SetAddr(15, "bCustomer", bCustomer, nCustomer, sizeof(bCustomer));
  SqlCursorEx(CSR_XNACUSTP, 0, "CSR_XNACUSTP", "XNACustP", "XNACustP");
  SqlCursorEx(CSR_XNACUSTS, 1, "CSR_XNACUSTS", "XNACUSTS", "XNACUSTS");
  SqlCursorEx(CSR_CUSTOMER, 271, "CSR_CUSTOMER", "CUSTOMER", "CUSTOMER");
  SqlCursorEx(CSR_CUSTOMERWORK, 271, "CSR_CUSTOMERWORK", "CUSTOMER", "CUSTOMER");
  SqlCursorEx(CSR_WORK, 15, "CSR_WORK", "XNACustS", "XNACustS");
  ScreenInit();
  ChildLines = detailsetup(CSR_XNACUSTS, Spread1, NoControl, bXNACustS, sizeof(bXNACustS),
                           bCustomer, sizeof(bCustomer), NoControl, 0, NoControl, 0);
  LevelChangeSet(0, LineUnchanged);
  LevelChangeSet(1, LineUnchanged);
  SqlFetch1(CSR_XNACUSTP, "Select * from XNACustP where 1 = 2", bXNACustP, sizeof(bXNACustP));
}

void QM18100::Form_Unload() {
  std::string first, second;
  ScreenExit(first, second);
}

// A customer that is already somebody's child cannot be a parent; any other
// customer is read as a national account, or starts as a new one.
int QM18100::cPrimaryCustId_ValueCheck(std::string& ChkStrg) {
  const bool isChild = SqlFetch1(CSR_XNACUSTS, "XNACustS_Primary '%', " + SParm(ChkStrg), bXNACustS,
                                 sizeof(bXNACustS)) != NotFound;
  if (isChild) {
    MessBox("This customer is already a child customer of National Account : " +
                bXNACustS.PrimaryCustId.trimmed(),
            StyleWarning, "Warning");
  } else {
    if (Ex_dbnavfetch1(cPrimaryCustId, CSR_XNACUSTP, ChkStrg, bXNACustP, sizeof(bXNACustP)) ==
        NotFound)
      startNewParent(ChkStrg);
    GridLoad(Spread1);
    DispFields(nullptr, NoControl, NoControl);
  }
  SavedFinanceChrg = bXNACustP.FinanceChrg;
  return isChild ? SilentRefusal : 0;
}

// A new parent must not inherit the options or the children of the parent shown
// before it: the grid loads by the parent ID in the record.
void QM18100::startNewParent(const std::string& parent) {
  bXNACustP = nXNACustP;
  bXNACustP.PrimaryCustId = parent;
}

// A customer heading a national account, even one not yet saved with children,
// would be locked out of this screen as somebody's child.
bool QM18100::headsNationalAccount(const std::string& customer) {
  bStoredParent = nXNACustP;
  return SqlFetch1(CSR_WORK, "Select * from XNACustP Where PrimaryCustId = " + SParm(customer),
                   bStoredParent, sizeof(bStoredParent)) != NotFound ||
         SqlFetch1(CSR_WORK, "Select * from XVNACustomers_ALL Where PrimaryCustId = " +
                                 SParm(customer), bWork, sizeof(bWork)) != NotFound;
}

// A child is neither the parent itself, nor a parent, nor a child of another
// national account; the same customer under this parent is accepted again.
int QM18100::cSecondaryCustId_ValueCheck(std::string& ChkStrg) {
  if (bXNACustP.PrimaryCustId.blank()) {
    MessBox("Enter the parent customer before its child customers.", StyleWarning, "Warning");
    return SilentRefusal;
  }
  if (Trim(ChkStrg) == bXNACustP.PrimaryCustId.trimmed()) {
    MessBox("The child customer cannot be the same as the parent Customer.", StyleWarning,
            "Warning");
    return SilentRefusal;
  }
  if (headsNationalAccount(Trim(ChkStrg))) {
    MessBox("This customer is a National Account parent and cannot be a child customer.",
            StyleWarning, "Warning");
    return SilentRefusal;
  }
  const std::string query = "Select * from XVNACustomers_ALL Where PrimaryCustId <> " +
                            SParm(bXNACustP.PrimaryCustId) + " and SecondaryCustId Like " +
                            SParm(ChkStrg);
  if (SqlFetch1(CSR_WORK, query, bWork, sizeof(bWork)) != NotFound) {
    MessBox("This customer is already part of National Account : " + bWork.PrimaryCustId.trimmed(),
            StyleWarning, "Warning");
    return SilentRefusal;
  }
  PVChkFetch1(NoControl, CSR_CUSTOMER, ChkStrg, bCustomer, sizeof(bCustomer));
  DispFields(nullptr, cName, cPhone);
  return 0;
}

int QM18100::Spread1_LineChange(int action) {
  if (action == 0) bXNACustS.PrimaryCustId = bXNACustP.PrimaryCustId.view();
  return 0;
}

int QM18100::Update1_SaveLevel(int level) {
  if (level == 0) {
    readSavedFinanceChrg();
    stampAudit(bXNACustP, SignedOnStamp());
  }
  if (level == 1) saveChildLines();
  if (level == forms::kWholeSaveLevel) checkStatementCycles();
  return 0;
}

// The parent row may have come by navigation, which checks no entry: the
// stored option is read again before it is overwritten.
void QM18100::readSavedFinanceChrg() {
  bStoredParent = nXNACustP;
  SqlFetch1(CSR_WORK, "XNACustP_DBNav " + SParm(bXNACustP.PrimaryCustId), bStoredParent,
            sizeof(bStoredParent));
  SavedFinanceChrg = bStoredParent.FinanceChrg;
}

// Every line carries the current parent; lines as loaded keep their stamps.
void QM18100::saveChildLines() {
  const int position = LineArrayGetPos(ChildLines);
  for (int rc = LineArrayFirst(ChildLines); rc != NotFound; rc = LineArrayNext(ChildLines)) {
    if (LineArrayGetState(ChildLines) != LineUnchanged) stampAudit(bXNACustS, SignedOnStamp());
    bXNACustS.PrimaryCustId = bXNACustP.PrimaryCustId.view();
    LineArrayUpdate(ChildLines);
  }
  LineArraySetPos(ChildLines, position);
  LineArrayRedisplay(ChildLines);
}

// Runs once the save is committed, so the children linked or removed by the
// same save are the ones it reaches.
void QM18100::applyFinanceCharges() {
  if (SavedFinanceChrg == bXNACustP.FinanceChrg) return;
  Sql(CSR_CUSTOMER,
      "XNAUpdateFinChrg " + SParm(bXNACustP.PrimaryCustId) + IParm(bXNACustP.FinanceChrg));
  SavedFinanceChrg = bXNACustP.FinanceChrg;
}

// Consolidated statements need every child on the parent's statement cycle;
// otherwise the save goes on with the option cleared.
void QM18100::checkStatementCycles() {
  statementCleared_ = false;
  if (bXNACustP.Statement != 1) return;
  if (SqlFetch1(CSR_CUSTOMERWORK, "customer_all " + SParm(bXNACustP.PrimaryCustId), bParentCustomer,
                sizeof(bParentCustomer)) == NotFound)
    return;
  if (childCyclesMatch()) return;
  MessBox(
      "Statement cycles do not match the parent.  Please update the child customer records and "
      "re-set the check box.",
      StyleWarning, "Warning");
  Sql(CSR_WORK,
      "Update xnacustp set statement = 0 where primarycustid = " + SParm(bXNACustP.PrimaryCustId));
  bXNACustP.Statement = 0;
  statementCleared_ = true;
}

bool QM18100::childCyclesMatch() {
  const int position = LineArrayGetPos(ChildLines);
  bool match = true;
  for (int rc = LineArrayFirst(ChildLines); rc != NotFound && match; rc = LineArrayNext(ChildLines))
    match = bCustomer.StmtCycleId.trimmed() == bParentCustomer.StmtCycleId.trimmed();
  LineArraySetPos(ChildLines, position);
  LineArrayRedisplay(ChildLines);
  return match;
}

// A cleared statement option is shown as stored, with the national account read again.
void QM18100::Update1_SaveCompleted(int, int) {
  applyFinanceCharges();
  if (!statementCleared_) return;
  statementCleared_ = false;
  std::string parent = bXNACustP.PrimaryCustId.trimmed();
  cPrimaryCustId_ValueCheck(parent);
}

}  // namespace corvena::qm18100
