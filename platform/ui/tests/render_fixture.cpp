#include "platform/ui/tests/render_fixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTest>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <cstdlib>

#include "platform/ui/gui.h"
#include "platform/ui/qt_text.h"

CORVENA_RECORD_LAYOUT(UDelivery, UDELIVERY_FIELDS)
CORVENA_RECORD_LAYOUT(UParcel, UPARCEL_FIELDS)

namespace corvena::ui::testing {

namespace {

const char* kSchema = R"(
CREATE TABLE UCarrier (Carrier TEXT NOT NULL COLLATE RTRIM PRIMARY KEY, Descr TEXT);
CREATE TABLE UDelivery (DelivNbr TEXT NOT NULL COLLATE RTRIM PRIMARY KEY,
  Carrier TEXT NOT NULL DEFAULT '' COLLATE RTRIM, Status TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  Insured INTEGER NOT NULL DEFAULT 0, Speed TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  Weight REAL NOT NULL DEFAULT 0, ShipDate TEXT NOT NULL DEFAULT '1900-01-01',
  Note TEXT NOT NULL DEFAULT '' COLLATE RTRIM);
CREATE TABLE UParcel (DelivNbr TEXT NOT NULL COLLATE RTRIM, ParcelRef TEXT NOT NULL COLLATE RTRIM,
  Kilos REAL NOT NULL DEFAULT 0, PRIMARY KEY (DelivNbr, ParcelRef));
INSERT INTO UCarrier VALUES ('FASTSHIP', 'Fast Shipping'), ('SLOWBOAT', 'Slow Boat');
)";

const char* kProcedures = R"(
-- procedure UCarrier_All 1
SELECT * FROM UCarrier WHERE Carrier LIKE ?1 ORDER BY Carrier;
-- procedure UDelivery_All 1
SELECT * FROM UDelivery WHERE DelivNbr LIKE ?1 ORDER BY DelivNbr;
-- procedure UParcel_Nav 2
SELECT * FROM UParcel WHERE DelivNbr = ?1 AND ParcelRef LIKE ?2 ORDER BY ParcelRef;
)";

forms::FormDesc deliveryForm() {
  using C = forms::ControlClass;
  return {"DeliveryForm",
          "Deliveries (UT.100.00)",
          {
              {.cls = C::Update, .name = "Update1", .levels = "Delivery;N,Parcels;D"},
              {.cls = C::Frame, .name = "frmDelivery", .caption = "Delivery"},
              {.cls = C::Label,
               .name = "lDelivNbr",
               .caption = "Delivery Number:",
               .parent = "frmDelivery"},
              {.cls = C::MaskedText,
               .name = "cDelivNbr",
               .fieldname = "bUDelivery.DelivNbr",
               .level = "0,k",
               .mask = "99999999",
               .dbnav = "UDelivery_All",
               .parent = "frmDelivery"},
              {.cls = C::Label, .name = "lCarrier", .caption = "Carrier:", .parent = "frmDelivery"},
              {.cls = C::MaskedText,
               .name = "cCarrier",
               .fieldname = "bUDelivery.Carrier",
               .level = "0",
               .mask = "UUUUUUUUUU",
               .pv = "UCarrier_All",
               .blankerr = true,
               .parent = "frmDelivery"},
              {.cls = C::Combo,
               .name = "cStatus",
               .fieldname = "bUDelivery.Status",
               .level = "0",
               .defaultValue = "O",
               .heading = "Status",
               .list = "O;Open,S;Shipped"},
              {.cls = C::Check,
               .name = "cInsured",
               .fieldname = "bUDelivery.Insured",
               .level = "0",
               .caption = "Insured"},
              {.cls = C::OptionGroup,
               .name = "optSpeed",
               .fieldname = "bUDelivery.Speed",
               .level = "0",
               .defaultValue = "N",
               .caption = "Speed",
               .list = "N;Normal,X;Express"},
              {.cls = C::Float,
               .name = "cWeight",
               .fieldname = "bUDelivery.Weight",
               .level = "0",
               .heading = "Weight"},
              {.cls = C::Date,
               .name = "cShipDate",
               .fieldname = "bUDelivery.ShipDate",
               .level = "0",
               .heading = "Ship Date"},
              {.cls = C::MaskedText,
               .name = "cNote",
               .fieldname = "bUDelivery.Note",
               .level = "0",
               .enabled = false,
               .heading = "Note"},
              {.cls = C::Frame, .name = "frmSpeed", .caption = "Speed Choice"},
              {.cls = C::OptionGroup,
               .name = "cSpeed",
               .fieldname = "bUDelivery.Speed",
               .level = "0",
               .caption = "Normal",
               .list = "N;Normal",
               .parent = "frmSpeed"},
              {.cls = C::OptionGroup,
               .name = "cSpeed2",
               .fieldname = "bUDelivery.Speed",
               .level = "0",
               .caption = "Express",
               .list = "X;Express",
               .parent = "frmSpeed"},
              {.cls = C::Label, .name = "lRemark", .parent = "frmSpeed"},
              {.cls = C::Grid,
               .name = "Grid1",
               .dbnav = "\"UParcel_Nav\", \"bUDelivery.DelivNbr\"; 0; 0; 0; 0, "
                        "\"bUParcel.ParcelRef\"; 0; 0; 0; 1,"},
              {.cls = C::MaskedText,
               .name = "cParcelRef",
               .fieldname = "bUParcel.ParcelRef",
               .level = "1,k",
               .mask = "UUUUU",
               .heading = "Parcel",
               .parent = "Grid1"},
              {.cls = C::Float,
               .name = "cKilos",
               .fieldname = "bUParcel.Kilos",
               .level = "1",
               .heading = "Kilos",
               .parent = "Grid1"},
          }};
}

}  // namespace

RenderTest::RenderTest() : schema_(dir_.file("")) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, qText(dir_.file("settings")));
  dir_.write("schema.sql", kSchema);
  dir_.write("procedures.sql", kProcedures);
  db::Database::create(dir_.file("company.db"));
  static int argc = 1;
  static char name[] = "corvena_ui_tests";
  static char* argv[] = {name, nullptr};
  session_ = std::make_unique<forms::Session>(
      std::shared_ptr<db::Database>(db::Database::open(dir_.file("company.db"))),
      createGuiUi(argc, argv));
  scope_ = std::make_unique<forms::SessionScope>(*session_);
  for (RecordRef r :
       {RecordRef(delivery_), RecordRef(deliveryNull_), RecordRef(parcel_), RecordRef(parcelNull_)})
    blankRecord(r);
  session_->loadForm(deliveryForm());
  session_->bindRecord(0, "bUDelivery", delivery_, deliveryNull_);
  session_->bindRecord(1, "bUParcel", parcel_, parcelNull_);
  session_->cursors().openCursor(deliveryCursor_, 0, "CSR_UDELIVERY", "UDelivery");
  session_->cursors().openCursor(parcelCursor_, 1, "CSR_UPARCEL", "UParcel");
  session_->grids().detailSetup(parcelCursor_, control("Grid1"), nullptr, {parcel_});
  control("Grid1").onLineChange([this](int code) {
    if (code == forms::kLineStarting) parcel_.DelivNbr = delivery_.DelivNbr.view();
    return 0;
  });
  session_->updates().newRecord(0);
  answerer_ = std::make_unique<MessageAnswerer>();
  auto& renderer = dynamic_cast<QtUi&>(session_->ui());
  window_ = &renderer.window(session_->mainForm());
  window_->show();
  window_->activateWindow();
  QApplication::setActiveWindow(window_);
  settle();
}

RenderTest::~RenderTest() {
  answerer_.reset();
  scope_.reset();
  session_.reset();
}

void RenderTest::settle() {
  for (int i = 0; i < 5; ++i) QApplication::processEvents();
}

void RenderTest::type(const QString& text) {
  QTest::keyClicks(QApplication::focusWidget(), text);
}

void RenderTest::press(int key) {
  QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key));
  settle();
}

std::string RenderTest::query(const std::string& sql) {
  auto db = db::Database::open(dir_.file("company.db"));
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

}  // namespace corvena::ui::testing
