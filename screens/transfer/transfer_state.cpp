#include "screens/transfer/transfer_state.h"

#include <map>
#include <utility>

namespace corvena::transfer {

namespace {

// Screens of one process each have their own session (tests run several).
std::map<const forms::Session*, std::unique_ptr<Transfer>>& instances() {
  static std::map<const forms::Session*, std::unique_ptr<Transfer>> all;
  return all;
}

void bind(Form& form, std::initializer_list<std::pair<Control**, const char*>> slots) {
  for (const auto& [slot, name] : slots) *slot = &form.control(name);
}

}  // namespace

void Transfer::bindControls(Form& form) {
  Form1 = &form;
  bind(form, {{&Update1, "Update1"},         {&cNATrBatNbr, "cNATrBatNbr"},
              {&cStatus, "cStatus"},         {&cCpnyId, "cCpnyId"},
              {&cSrcCustId, "cSrcCustId"},   {&cPrimaryCustID, "cPrimaryCustID"},
              {&cSrcRefNbr, "cSrcRefNbr"},   {&cSrcAmt, "cSrcAmt"},
              {&cBatchHandling, "cBatchHandling"}, {&cLineTotal, "cLineTotal"},
              {&cARBatNbr, "cARBatNbr"},     {&cARDMRefNbr, "cARDMRefNbr"},
              {&Spread1, "Spread1"},         {&cDestCustID, "cDestCustID"},
              {&cDestAmt, "cDestAmt"},       {&cCpnyId1, "cCpnyId1"},
              {&cARRefNbr, "cARRefNbr"},     {&cNATrBatNbrD, "cNATrBatNbrD"},
              {&cmdApply, "cmdApply"},       {&cmdDetailLines, "cmdDetailLines"}});
}

void Transfer::bindDetailControls(Form& form) {
  frmDetailLines = &form;
  bind(form, {{&Spread2, "Spread2"},           {&cNATrBatNbr_2, "cNATrBatNbr_2"},
              {&cCpnyID_2, "cCpnyID_2"},       {&cAcct_2, "cAcct_2"},
              {&cSub_2, "cSub_2"},             {&cProjectID_2, "cProjectID_2"},
              {&cTaskID_2, "cTaskID_2"},       {&cQty_2, "cQty_2"},
              {&cUnitPrice_2, "cUnitPrice_2"}, {&cTranAmt_2, "cTranAmt_2"},
              {&cEnteredTotal, "cEnteredTotal"}, {&cDetTotal, "cDetTotal"},
              {&cmdOK, "cmdOK"},               {&cmdCancel, "cmdCancel"},
              {&lDestination, "lDestination"}});
}

Transfer& createTransfer(forms::Session& session) {
  auto& slot = instances()[&session];
  slot = std::make_unique<Transfer>();
  return *slot;
}

Transfer& transfer() {
  auto& all = instances();
  const auto it = all.find(&forms::session());
  if (it == all.end())
    throw forms::RuntimeError(forms::kErrBadHandle, "The transfer screen is not loaded");
  return *it->second;
}

}  // namespace corvena::transfer
