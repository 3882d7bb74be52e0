#include "screens/payapp/payapp_state.h"

#include <map>

namespace corvena::payapp {

namespace {

// Screens of one process each have their own session (tests run several).
std::map<const forms::Session*, std::unique_ptr<PayApp>>& instances() {
  static std::map<const forms::Session*, std::unique_ptr<PayApp>> all;
  return all;
}

}  // namespace

void PayApp::bindControls(Form& form) {
  Form1 = &form;
  Control** const slots[] = {
      &Update1,        &frmNAHeader, &cNABatNbr,   &cCpnyId,       &cStatus,     &cCustId,
      &cType,          &cCMRefNbr,   &cNARefNbr,   &cDocDate,      &cPerPost,    &cOrigDocAmt,
      &cBatchHandling, &CApplyTotal, &cDiscTotal,  &cUnappliedAmt, &lName,       &lPhone,
      &lFromCust,      &Frame1,      &cSortOrder,  &cSortOrder2,   &cSortOrder3, &cSortOrder4,
      &cSortOrder5,    &cSortOrder6, &frmNADetail, &Spread1,       &cbAutoApply, &cCustid1,
      &cCpnyId1,       &cDocType,    &cRefNbr,     &cDocDateD,     &cDueDate,    &cCuryDocBal,
      &cCuryApplAmt,   &cDiscAmt,    &cTotApply,   &cCuryDiscBal,  &cDiscDate,   &cNewDocBal,
      &cNABatNbrD};
  static constexpr const char* names[] = {
      "Update1",        "frmNAHeader", "cNABatNbr",   "cCpnyId",       "cStatus",     "cCustId",
      "cType",          "cCMRefNbr",   "cNARefNbr",   "cDocDate",      "cPerPost",    "cOrigDocAmt",
      "cBatchHandling", "CApplyTotal", "cDiscTotal",  "cUnappliedAmt", "lName",       "lPhone",
      "lFromCust",      "Frame1",      "cSortOrder",  "cSortOrder2",   "cSortOrder3", "cSortOrder4",
      "cSortOrder5",    "cSortOrder6", "frmNADetail", "Spread1",       "cbAutoApply", "cCustid1",
      "cCpnyId1",       "cDocType",    "cRefNbr",     "cDocDateD",     "cDueDate",    "cCuryDocBal",
      "cCuryApplAmt",   "cDiscAmt",    "cTotApply",   "cCuryDiscBal",  "cDiscDate",   "cNewDocBal",
      "cNABatNbrD"};
  static_assert(sizeof(names) / sizeof(names[0]) == sizeof(slots) / sizeof(slots[0]));
  for (std::size_t i = 0; i < sizeof(names) / sizeof(names[0]); ++i)
    *slots[i] = &form.control(names[i]);
}

PayApp& createPayApp(forms::Session& session) {
  auto& slot = instances()[&session];
  slot = std::make_unique<PayApp>();
  return *slot;
}

PayApp& payapp() {
  auto& all = instances();
  const auto it = all.find(&forms::session());
  if (it == all.end()) {
    throw forms::RuntimeError(forms::kErrBadHandle, "The payment application screen is not loaded");
  }
  return *it->second;
}

}  // namespace corvena::payapp
