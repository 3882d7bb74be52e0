// F3's look-up list: the pv procedure's rows for '%', narrowed as typed,
// under readable headings; the chosen row's value is entered in the field
// F3 was pressed in, as if typed.
#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>

#include "platform/ui/lookup_columns.h"
#include "platform/ui/lookup_dialog.h"
#include "platform/ui/tests/render_fixture.h"

namespace corvena::ui::testing {
namespace {

using Lookup = RenderTest;

TEST_F(Lookup, ListsThePossibleValuesOfTheFieldTitledByItsLabel) {
  LookupDialog dialog(*session_, control("cCarrier"),
                      forms::lookupList(*session_, control("cCarrier")));
  EXPECT_EQ(dialog.windowTitle(), "Possible Values - Carrier");
  ASSERT_EQ(dialog.table()->rowCount(), 2);
  EXPECT_EQ(dialog.table()->horizontalHeaderItem(0)->text(), "Carrier");
  EXPECT_EQ(dialog.table()->horizontalHeaderItem(1)->text(), "Description");
  EXPECT_EQ(dialog.table()->item(1, 1)->text(), "Slow Boat");
}

TEST_F(Lookup, DocumentsShowTheirReferenceFirstAndNoAuditColumns) {
  const std::vector<std::string> names = {"BatNbr",   "CustId",         "DocType",   "RefNbr",
                                          "DocDate",  "OrigDocAmt",     "CuryOrigDocAmt",
                                          "DocBal",   "CuryDocBal",     "Crtd_User", "tstamp"};
  std::vector<std::string> headings;
  for (const auto& c : shownLookupColumns(names, 3, "Ref Nbr to Apply"))
    headings.push_back(c.heading);
  EXPECT_EQ(headings, (std::vector<std::string>{"Ref Nbr to Apply", "Customer ID", "Type",
                                                "Document Date", "Amount", "Balance"}));
}

// A long description reads whole: the list is as wide as its columns.
TEST_F(Lookup, EveryColumnIsShownWhole) {
  db::Database::open(dir_.file("company.db"))
      ->exec("INSERT INTO UCarrier VALUES ('LONGHAUL', 'Long Haul Freight and Overnight "
             "Parcel Services of the Great Lakes Region')");
  LookupDialog dialog(*session_, control("cCarrier"),
                      forms::lookupList(*session_, control("cCarrier")), &window(), "Carrier Code");
  dialog.show();
  settle();
  EXPECT_EQ(dialog.windowTitle(), "Possible Values - Carrier Code");
  EXPECT_EQ(dialog.table()->horizontalHeaderItem(0)->text(), "Carrier Code");
  EXPECT_LE(dialog.table()->horizontalHeader()->length(), dialog.table()->viewport()->width());
}

TEST_F(Lookup, TypingNarrowsTheListAndTheSelectedRowGivesTheValue) {
  LookupDialog dialog(*session_, control("cCarrier"),
                      forms::lookupList(*session_, control("cCarrier")));
  EXPECT_EQ(dialog.selectedValue(), "FASTSHIP");
  dialog.filter()->setText("slow");
  EXPECT_TRUE(dialog.table()->isRowHidden(0));
  EXPECT_EQ(dialog.selectedValue(), "SLOWBOAT");
}

TEST_F(Lookup, EnterOnAChosenRowEntersItsValueInTheFieldF3WasPressedIn) {
  widget("cCarrier")->setFocus();
  settle();
  QTimer chooser;
  chooser.setInterval(5);
  QObject::connect(&chooser, &QTimer::timeout, [&] {
    auto* dialog = dynamic_cast<LookupDialog*>(QApplication::activeModalWidget());
    if (!dialog) return;
    dialog->table()->selectRow(1);
    QTest::keyClick(dialog->table(), Qt::Key_Return);
  });
  chooser.start();
  press(Qt::Key_F3);
  chooser.stop();
  EXPECT_EQ(delivery_.Carrier.trimmed(), "SLOWBOAT");
  EXPECT_EQ(qobject_cast<QLineEdit*>(widget("cCarrier"))->text(), "SLOWBOAT");
  EXPECT_EQ(QApplication::focusWidget(), widget("cCarrier"));
}

}  // namespace
}  // namespace corvena::ui::testing
