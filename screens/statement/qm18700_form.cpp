#include "runtime/kelpbas.h"
#include "screens/statement/qm18700.h"

namespace corvena::qm18700 {

namespace {

using C = forms::ControlClass;
using forms::ControlDesc;

ControlDesc label(const char* name, const char* caption) {
  return {.cls = C::Label, .name = name, .caption = caption, .parent = "frmSelect"};
}

ControlDesc button(const char* name, const char* caption) {
  return {.cls = C::Button, .name = name, .caption = caption, .parent = "frmSelect"};
}

struct Grid {
  const char* name;
  const char* level;
};
constexpr Grid kStores{"spread1", "1"}, kDocs{"spread2", "2"};

ControlDesc column(C cls, const char* name, const char* field, const char* heading,
                   const Grid& grid) {
  ControlDesc c{.cls = cls,
                .name = name,
                .fieldname = field,
                .level = grid.level,
                .enabled = false,
                .heading = heading,
                .parent = grid.name};
  if (cls == C::Float) {
    c.min = -9999999999.99;
    c.max = 9999999999.99;
  }
  return c;
}

std::vector<ControlDesc> selectionControls() {
  return {
      {.cls = C::Update, .name = "Update1", .levels = "Select;N,Stores;DA,Documents;DA"},
      {.cls = C::Frame, .name = "frmSelect", .caption = "Statement"},
      label("lParent", "Parent Customer ID:"),
      {.cls = C::MaskedText,
       .name = "cParent",
       .fieldname = "bxstmt.parentid",
       .level = "0",
       .mask = std::string(15, '!'),
       .pv = "XNACustomerList",
       .heading = "Parent Customer ID",
       .fieldclass = 3,
       .parent = "frmSelect"},
      label("lCycle", "Statement Cycle:"),
      {.cls = C::MaskedText,
       .name = "cCycle",
       .fieldname = "bxstmt.cycleid",
       .level = "0",
       .mask = "!!",
       .heading = "Statement Cycle",
       .parent = "frmSelect"},
      label("lAsOf", "Statement Date:"),
      {.cls = C::Date,
       .name = "cAsOf",
       .fieldname = "bxstmt.asof",
       .level = "0",
       .blankerr = true,
       .heading = "Statement Date",
       .parent = "frmSelect"},
      label("lPaper", "Paper:"),
      {.cls = C::Combo,
       .name = "cPaper",
       .fieldname = "bxstmt.paper",
       .level = "0",
       .heading = "Paper",
       .list = "A4;A4,LETTER;Letter",
       .parent = "frmSelect"},
      label("lOutFile", "File:"),
      {.cls = C::MaskedText,
       .name = "cOutFile",
       .fieldname = "bxstmt.outfile",
       .level = "0",
       .heading = "File",
       .parent = "frmSelect"},
      button("cmdRefresh", "&Refresh"),
      button("cmdPreview", "Print Pre&view..."),
      button("cmdPrint", "&Print..."),
      button("cmdPdf", "P&DF..."),
      button("cmdCsv", "&CSV..."),
  };
}

std::vector<ControlDesc> gridControls() {
  return {
      {.cls = C::Frame, .name = "frmStores", .caption = "Aging by Store, Oldest Debt First"},
      {.cls = C::Grid, .name = "spread1", .level = "1", .parent = "frmStores"},
      column(C::MaskedText, "cStore", "bxstore.custid", "Store", kStores),
      column(C::MaskedText, "cStoreName", "bxstore.name", "Name", kStores),
      column(C::MaskedText, "cOldest", "bxstore.oldest", "Oldest Days", kStores),
      column(C::Float, "cCurrent", "bxstore.current", "Current", kStores),
      column(C::Float, "cDays30", "bxstore.days30", "1-30", kStores),
      column(C::Float, "cDays60", "bxstore.days60", "31-60", kStores),
      column(C::Float, "cDays90", "bxstore.days90", "61-90", kStores),
      column(C::Float, "cOver90", "bxstore.over90", "Over 90", kStores),
      column(C::Float, "cCredits", "bxstore.credits", "Credits", kStores),
      column(C::Float, "cBalance", "bxstore.balance", "Balance", kStores),
      {.cls = C::Frame, .name = "frmDocs", .caption = "Open Documents of the Store"},
      {.cls = C::Grid, .name = "spread2", .level = "2", .parent = "frmDocs"},
      column(C::MaskedText, "cDocCust", "bxdoc.custid", "Customer", kDocs),
      column(C::MaskedText, "cDocType", "bxdoc.doctype", "Type", kDocs),
      column(C::MaskedText, "cRefNbr", "bxdoc.refnbr", "Ref Nbr", kDocs),
      column(C::Date, "cDocDate", "bxdoc.docdate", "Doc Date", kDocs),
      column(C::Date, "cDueDate", "bxdoc.duedate", "Due Date", kDocs),
      column(C::Float, "cOriginal", "bxdoc.original", "Original", kDocs),
      column(C::Float, "cDocBal", "bxdoc.balance", "Balance", kDocs),
      column(C::MaskedText, "cDays", "bxdoc.days", "Days Past Due", kDocs),
  };
}

}  // namespace

forms::FormDesc QM18700Form() {
  forms::FormDesc d{.name = "Form1", .caption = Caption};
  for (auto part : {selectionControls(), gridControls(), runtime::customisationArrays()})
    d.controls.insert(d.controls.end(), part.begin(), part.end());
  return d;
}

}  // namespace corvena::qm18700
