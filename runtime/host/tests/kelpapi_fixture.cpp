#include "runtime/host/tests/kelpapi_fixture.h"

CORVENA_RECORD_LAYOUT(KItem, KITEM_FIELDS)

namespace corvena::host::testing {

namespace {

const char* kSchema = R"(
CREATE TABLE KItem (ItemId TEXT NOT NULL COLLATE RTRIM PRIMARY KEY,
  Descr TEXT NOT NULL DEFAULT '' COLLATE RTRIM, Added TEXT NOT NULL DEFAULT '1900-01-01',
  Price REAL NOT NULL DEFAULT 0, Qty INTEGER NOT NULL DEFAULT 0);
INSERT INTO KItem VALUES ('BOLT', 'Bolt', '2024-01-05', 0.25, 100),
  ('NUT', 'Nut', '2024-01-04', 0.1, 300), ('WASHER', 'Washer''s ring', '2024-01-06', 0.05, 50);
)";

const char* kProcedures = R"(
-- procedure KItem_All 1
SELECT * FROM KItem WHERE ItemId LIKE ?1 ORDER BY ItemId;
-- procedure KItem_Descr 2
SELECT * FROM KItem WHERE Descr LIKE ?1 AND ItemId LIKE ?2;
)";

}  // namespace

KelpapiTest::KelpapiTest() : schema_(dir_.file("")) {
  dir_.write("schema.sql", kSchema);
  dir_.write("procedures.sql", kProcedures);
  db::Database::create(dir_.file("company.db"));
  auto ui = std::make_unique<forms::HeadlessUi>();
  ui_ = ui.get();
  session_ = std::make_unique<forms::Session>(
      std::shared_ptr<db::Database>(db::Database::open(dir_.file("company.db"))), std::move(ui));
  scope_ = std::make_unique<forms::SessionScope>(*session_);
  blankRecord(bItem);
  blankRecord(nItem);
}

}  // namespace corvena::host::testing
