#include "screens/customer/qm18100_form.h"

#include <string>

namespace corvena::qm18100 {

namespace {

using forms::ControlClass;
using forms::ControlDesc;

// Customer IDs are typed upper-cased.
std::string idMask(std::size_t width) {
  return std::string(width, '!');
}

ControlDesc frame(std::string name, std::string caption, std::string parent = {}) {
  return {.cls = ControlClass::Frame,
          .name = std::move(name),
          .caption = std::move(caption),
          .parent = std::move(parent)};
}

ControlDesc label(std::string name, std::string caption, std::string parent) {
  return {.cls = ControlClass::Label,
          .name = std::move(name),
          .caption = std::move(caption),
          .parent = std::move(parent)};
}

// The grid's line view titles its fields itself, so the child labels stay hidden
// rather than stand apart from the grid.
ControlDesc lineLabel(std::string name, std::string caption) {
  ControlDesc c = label(std::move(name), std::move(caption), "frmNASecondary");
  c.visible = false;
  return c;
}

ControlDesc option(std::string name, std::string field, std::string caption,
                   std::string defaultValue) {
  return {.cls = ControlClass::Check,
          .name = std::move(name),
          .fieldname = std::move(field),
          .level = "0",
          .defaultValue = std::move(defaultValue),
          .caption = std::move(caption),
          .parent = "frmOptions"};
}

ControlDesc childColumn(std::string name, std::string field, std::string mask, std::string heading,
                        bool enabled, int fieldclass) {
  return {.cls = ControlClass::MaskedText,
          .name = std::move(name),
          .fieldname = std::move(field),
          .level = "1",
          .mask = std::move(mask),
          .enabled = enabled,
          .heading = std::move(heading),
          .fieldclass = fieldclass,
          .parent = "Spread1"};
}

std::vector<ControlDesc> parentControls() {
  return {
      frame("frmNAPrimary", "Parent National Account"),
      label("lPrimaryCustId", "Parent Customer ID:", "frmNAPrimary"),
      {.cls = ControlClass::MaskedText,
       .name = "cPrimaryCustId",
       .fieldname = "bXNACustP.PrimaryCustId",
       .level = "0,k",
       .mask = idMask(10),
       .pv = "Customer_All",
       .dbnav = "XNACustP_DBNav",
       .blankerr = true,
       .heading = "Parent Customer ID",
       .fieldclass = 3,
       .parent = "frmNAPrimary"},
      frame("frmOptions", "Options", "frmNAPrimary"),
      option("cCashReceipts", "bxnacustP.cashreceipts", "Allow Cash Receipts for Child Customers",
             "1"),
      option("cStatus", "bxnacustP.status",
             "Apply Hold or Inactive Status of Primary Across National Accounts", "0"),
      option("cStatement", "bxnacustp.statement", "Consolidate Statements Across National Accounts",
             "0"),
      option("cFinanceChrg", "bxnacustp.FinanceChrg",
             "Base Finance Charges Across National Accounts", "0"),
      option("cCreditChk", "bxnacustp.CreditChk",
             "Perform Credit Checking Across National Accounts", "0"),
  };
}

std::vector<ControlDesc> childControls() {
  ControlDesc child = childColumn("cSecondaryCustId", "bXNACustS.SecondaryCustid", idMask(15),
                                  "Child Customer ID", true, 3);
  child.level = "1,k";
  child.pv = "Customer_all";
  child.blankerr = true;
  return {
      frame("frmNASecondary", "Child National Account"),
      lineLabel("lSecondaryCustId", "Child Customer ID:"),
      lineLabel("lName", "Child Customer Name:"),
      lineLabel("lCity", "City:"),
      lineLabel("lState", "State:"),
      lineLabel("lPhone", "Phone:"),
      {.cls = ControlClass::Grid,
       .name = "Spread1",
       .dbnav = "\"XNACustS_DBNav\", \"bxnacustp.primaryCustid\"; 0; 0; 0; 0, "
                "\"bxnacusts.secondarycustid\"; 1; 0; 0; 0,",
       .parent = "frmNASecondary"},
      child,
      childColumn("cName", "bcustomer.name", std::string(30, 'X'), "Child Customer Name", true,
                  110),
      // A child held in AR is told apart at a glance (shown with the name on entry).
      {.cls = ControlClass::Combo,
       .name = "cCustStatus",
       .fieldname = "bcustomer.status",
       .level = "1",
       .enabled = false,
       .heading = "AR Status",
       .list = "A;Active,H;On Hold,I;Inactive",
       .parent = "Spread1"},
      childColumn("cCity", "bcustomer.city", std::string(30, 'X'), "City", false, 0),
      childColumn("cState", "bcustomer.state", std::string(3, 'X'), "State", false, 119),
      childColumn("cPhone", "bcustomer.phone", "(999)999-9999 99999", "Phone", false, 119),
  };
}

}  // namespace

forms::FormDesc QM18100Form() {
  forms::FormDesc form{.name = "Form1",
                       .caption = "National Account Customer Setup Screen (QM.181.00)"};
  // Clerks add child lines: on this framework a grid level takes new lines when marked A.
  form.controls.push_back(
      {.cls = ControlClass::Update, .name = "Update1", .levels = "Primary;N,Secondary;D"});
  for (auto& c : parentControls()) form.controls.push_back(std::move(c));
  for (auto& c : childControls()) form.controls.push_back(std::move(c));
  return form;
}

}  // namespace corvena::qm18100
