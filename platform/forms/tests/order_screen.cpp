#include "platform/forms/tests/order_screen.h"

CORVENA_RECORD_LAYOUT(TOrder, TORDER_FIELDS)
CORVENA_RECORD_LAYOUT(TLine, TLINE_FIELDS)

namespace corvena::forms::testing {

namespace {

const char* kSchema = R"(
CREATE TABLE TCust (CustId TEXT NOT NULL COLLATE RTRIM PRIMARY KEY);
CREATE TABLE TOrder (OrderNbr TEXT NOT NULL COLLATE RTRIM PRIMARY KEY,
  CustId TEXT NOT NULL DEFAULT '' COLLATE RTRIM, OrderDate TEXT NOT NULL DEFAULT '1900-01-01',
  Amount REAL NOT NULL DEFAULT 0, Status TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  Total REAL NOT NULL DEFAULT 0, tstamp INTEGER NOT NULL DEFAULT 0);
CREATE TABLE TLine (OrderNbr TEXT NOT NULL COLLATE RTRIM, LineRef TEXT NOT NULL COLLATE RTRIM,
  Amt REAL NOT NULL DEFAULT 0, Note TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  PRIMARY KEY (OrderNbr, LineRef));
CREATE TABLE TNumber (Source TEXT NOT NULL PRIMARY KEY, LastNbr INTEGER NOT NULL);
INSERT INTO TCust VALUES ('ACME'), ('BOLT'), ('CRANE');
INSERT INTO TNumber VALUES ('OrderNbr', 100);
)";

const char* kProcedures = R"(
-- procedure TCust_All 1
SELECT * FROM TCust WHERE CustId LIKE ?1 ORDER BY CustId;
-- procedure TOrder_All 1
SELECT * FROM TOrder WHERE OrderNbr LIKE ?1 ORDER BY OrderNbr;
-- procedure TLine_Nav 2
SELECT * FROM TLine WHERE OrderNbr = ?1 AND LineRef LIKE ?2 ORDER BY LineRef;
-- procedure AutoNbr_Next 1
UPDATE TNumber SET LastNbr = LastNbr + 1 WHERE Source = ?1;
SELECT printf('%010d', LastNbr) FROM TNumber WHERE Source = ?1;
)";

FormDesc orderForm() {
  using C = ControlClass;
  return FormDesc{
      "OrderForm",
      "Order Entry (TS.100.00)",
      {
          {.cls = C::Update, .name = "Update1", .levels = "Header;N,Lines;DA"},
          {.cls = C::MaskedText,
           .name = "cOrderNbr",
           .fieldname = "bTOrder.OrderNbr; 0; 0; 10",
           .level = "0,k",
           .mask = "9999999999",
           .pv = "TOrder_All",
           .dbnav = "TOrder_All",
           .heading = "Order Number"},
          {.cls = C::MaskedText,
           .name = "cCustId",
           .fieldname = "btorder.custid",
           .level = "0",
           .mask = "UUUUUUUUUU",
           .pv = "\"TCust_All\",",
           .blankerr = true,
           .heading = "Customer"},
          {.cls = C::Date,
           .name = "cOrderDate",
           .fieldname = "bTOrder.OrderDate",
           .level = "0",
           .defaultValue = "bpes.Today"},
          {.cls = C::Float,
           .name = "cAmount",
           .fieldname = "bTOrder.Amount",
           .level = "0",
           .heading = "Amount",
           .min = 0.0,
           .max = 1000.0},
          {.cls = C::Combo,
           .name = "cStatus",
           .fieldname = "bTOrder.Status",
           .level = "0",
           .defaultValue = "O",
           .list = "O;Open,C;Closed"},
          {.cls = C::Float,
           .name = "cTotal",
           .fieldname = "bTOrder.Total",
           .level = "0",
           .enabled = false,
           .trigger = "bTLine.Amt;c;i"},
          {.cls = C::Label, .name = "lTitle", .caption = "Orders"},
          {.cls = C::Button, .name = "cmdGo", .caption = "Go"},
          {.cls = C::Grid,
           .name = "Grid1",
           .dbnav =
               "\"TLine_Nav\", \"bTOrder.OrderNbr\"; 0; 0; 0; 0, \"bTLine.LineRef\"; 0; 0; 0; 1,"},
          {.cls = C::MaskedText,
           .name = "cLineRef",
           .fieldname = "bTLine.LineRef",
           .level = "1,k",
           .mask = "UUUUU",
           .blankerr = true,
           .heading = "Line",
           .parent = "Grid1"},
          {.cls = C::Float,
           .name = "cAmt",
           .fieldname = "bTLine.Amt",
           .level = "1",
           .heading = "Line Amount",
           .parent = "Grid1"},
          {.cls = C::MaskedText,
           .name = "cLineOrder",
           .fieldname = "bTLine.OrderNbr",
           .level = "1",
           .parent = "Grid1"},
      }};
}

}  // namespace

OrderScreen::OrderScreen(const std::string& dbPath)
    : session(std::shared_ptr<db::Database>(db::Database::open(dbPath))) {
  auto headless = std::make_unique<HeadlessUi>();
  ui = headless.get();
  session.setUi(std::move(headless));
  session.setBusinessDate(Date{2025, 3, 14});
  blankRecord(order);
  blankRecord(orderNull);
  blankRecord(line);
  blankRecord(lineNull);
  session.loadForm(orderForm());
  session.bindRecord(0, "bTOrder", order, orderNull);
  session.bindRecord(1, "bTLine", line, lineNull);
  session.cursors().openCursor(orderCursor, 0, "CSR_TORDER", "TOrder");
  session.cursors().openCursor(lineCursor, 1, "CSR_TLINE", "TLine");
  lines = session.grids().detailSetup(lineCursor, c("Grid1"), nullptr, {line});
  c("Grid1").onLineChange([this](int code) {
    if (code == kLineStarting) line.OrderNbr = order.OrderNbr.view();
    return 0;
  });
}

std::vector<std::string> OrderScreen::messages() const {
  std::vector<std::string> out;
  for (const auto& m : ui->messages()) out.push_back(m.text);
  return out;
}

OrderScreenTest::OrderScreenTest() : schema_(dir_.file("")) {
  dir_.write("schema.sql", kSchema);
  dir_.write("procedures.sql", kProcedures);
  db::Database::create(dbPath());
  screen_ = std::make_unique<OrderScreen>(dbPath());
  scope_ = std::make_unique<SessionScope>(screen_->session);
}

std::string OrderScreenTest::query(const std::string& sql) {
  auto db = db::Database::open(dbPath());
  db::Statement st = db->run(sql);
  std::string out;
  while (st.step()) {
    const db::Value v = st.column(0);
    std::string t;
    if (const auto* x = std::get_if<std::string>(&v)) t = *x;
    if (const auto* x = std::get_if<std::int64_t>(&v)) t = std::to_string(*x);
    if (const auto* x = std::get_if<double>(&v)) t = std::to_string(*x);
    out += (out.empty() ? "" : ",") + t;
  }
  return out;
}

void OrderScreenTest::addOrder(const std::string& nbr, const std::string& cust, double amount) {
  auto db = db::Database::open(dbPath());
  db->run("INSERT INTO TOrder (OrderNbr, CustId, Amount, Status) VALUES ('" + nbr + "', '" + cust +
          "', " + std::to_string(amount) + ", 'O')")
      .step();
}

void OrderScreenTest::addLine(const std::string& nbr, const std::string& ref, double amt) {
  auto db = db::Database::open(dbPath());
  db->run("INSERT INTO TLine (OrderNbr, LineRef, Amt) VALUES ('" + nbr + "', '" + ref + "', " +
          std::to_string(amt) + ")")
      .step();
}

}  // namespace corvena::forms::testing
