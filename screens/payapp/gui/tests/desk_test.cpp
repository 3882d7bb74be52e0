// QM18300 at a clerk's desk, drawn by the renderer on a 1366x768 window:
// every column in view, customer and reference kept in view while the lines
// scroll sideways; a line found by its reference; only the applied lines
// shown; every application cleared through the screen's own checks, after
// asking; an edit list exported and printed; the status line after a button.
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>
#include <algorithm>
#include <cstdlib>

#include "platform/ui/form_view.h"
#include "platform/ui/form_window.h"
#include "platform/ui/grid_bar.h"
#include "platform/ui/grid_print.h"
#include "platform/ui/grid_table.h"
#include "platform/ui/grid_view.h"
#include "platform/ui/gui.h"
#include "platform/ui/kept_in_view.h"
#include "platform/ui/qt_ui.h"
#include "platform/ui/tests/message_answerer.h"
#include "screens/payapp/tests/apply_fixture.h"

namespace corvena::payapp::testing {
namespace {

class Desk : public ApplyTest {
 protected:
  void SetUp() override {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ApplyTest::SetUp();
    addDoc({.cust = "P1", .ref = "INV1", .balance = 100});
    addDoc({.cust = "C1", .ref = "INV2", .balance = 300});
    addDoc({.cust = "C2", .ref = "INV3", .balance = 80});
  }

  // Runs the clerk's work with QM18300 in a window of the given size.
  template <class Work>
  void atDesk(OpenScreen& s, QSize size, Work work) {
    s.within([&] {
      static int argc = 1;
      static char name[] = "QM18300";
      static char* argv[] = {name, nullptr};
      s.session().setUi(ui::createGuiUi(argc, argv));
      auto& window = dynamic_cast<ui::QtUi&>(s.session().ui()).window(s.session().mainForm());
      window.show();
      window.resize(size);
      settle();
      ui::testing::MessageAnswerer answerer;
      work(window, *window.view()->gridFor(&s.grid()), answerer);
      return 0;
    });
  }

  static void settle() {
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
  }

  static int columnTitled(ui::GridView& grid, const QString& heading) {
    for (int col = 0; col < grid.table()->columnCount(); ++col)
      if (grid.table()->horizontalHeaderItem(col)->text().replace('\n', ' ') == heading) return col;
    return -1;
  }
  static int referenceColumn(ui::GridView& grid) { return columnTitled(grid, "Ref Nbr"); }

  // Types into a field of the window and presses Enter, as a clerk does.
  static void typeIn(ui::FormWindow& window, forms::Control& field, const QString& text) {
    auto* edit = qobject_cast<QLineEdit*>(window.view()->widgetFor(&field));
    ASSERT_NE(edit, nullptr) << field.name();
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
    settle();
  }
};

TEST_F(Desk, At1366EveryColumnIsInViewAndCustomerAndReferenceStayWhenScrolledSideways) {
  auto s = openPayment("500");
  atDesk(*s, {1366, 768}, [&](ui::FormWindow&, ui::GridView& grid, auto&) {
    auto* table = static_cast<ui::GridTable*>(grid.table());
    EXPECT_EQ(table->horizontalScrollBar()->maximum(), 0);
    const QStringList kept{"Customer ID", "Ref Nbr"};
    QStringList frozen;
    for (int col = 0; col < table->columnCount(); ++col)
      if (!table->frozenView()->isColumnHidden(col))
        frozen << table->horizontalHeaderItem(col)->text();
    EXPECT_EQ(frozen, kept);
    // A heading wider than its amounts goes on two lines rather than widening the column.
    EXPECT_TRUE(table->horizontalHeaderItem(7)->text().contains('\n'));
    // Stores are told apart by name.
    const int name = columnTitled(grid, "Customer Name");
    ASSERT_GE(name, 0);
    for (int row = 0; row < 3; ++row)
      if (table->item(row, 0)->text() == "C1") EXPECT_EQ(table->item(row, name)->text(), "Child One");
    table->window()->resize(700, 768);
    settle();
    table->horizontalScrollBar()->setValue(table->horizontalScrollBar()->maximum());
    settle();
    EXPECT_GT(table->horizontalScrollBar()->maximum(), 0);
    EXPECT_TRUE(table->frozenView()->isVisible());
    EXPECT_EQ(table->frozenView()->x(), table->verticalHeader()->width() + table->frameWidth());
    EXPECT_EQ(table->frozenView()->width(), table->frozenWidth());
  });
}

TEST_F(Desk, FindShowOnlyAppliedLinesAndClearEveryApplicationThroughTheScreensChecks) {
  auto s = openPayment("500");
  payDocument(*s, "INV1");
  ASSERT_TRUE(enter(*s, "INV2", "cCuryApplAmt", "120"));
  atDesk(*s, {1366, 768}, [&](ui::FormWindow& window, ui::GridView& grid, auto& answerer) {
    QLineEdit* find = grid.bar()->findField();
    find->setFocus();
    QTest::keyClicks(find, "inv3");
    QTest::keyClick(find, Qt::Key_Return);
    settle();
    EXPECT_EQ(s->app().bXDetail.RefNbr.trimmed(), "INV3");
    EXPECT_EQ(window.statusLine()->currentMessage().toStdString(),
              "Line " + std::to_string(grid.table()->currentRow() + 1) + " has \"inv3\"");
    EXPECT_FALSE(grid.findNext("NOSUCH"));

    grid.bar()->amountsOnlyBox()->setChecked(true);
    int shown = 0;
    for (int row = 0; row < grid.table()->rowCount(); ++row)
      shown += grid.table()->isRowHidden(row) ? 0 : 1;
    EXPECT_EQ(shown, 2);

    answerer.answerYes = true;
    grid.bar()->clearButton()->click();
    settle();
    ASSERT_EQ(answerer.texts.size(), 1u);
    EXPECT_EQ(answerer.texts[0], "Clear Apply Amount and Cash Disc on 2 line(s)?");
    EXPECT_EQ(s->column("cCuryApplAmt"), (std::vector<std::string>(3, "0.00")));
    EXPECT_EQ(s->app().bXHeader.ApplyTotal, 0);
    EXPECT_EQ(s->app().bXHeader.UnAppliedAmt, 500);
    EXPECT_EQ(sorted(s->column("cNewDocBal")), sorted({"100.00", "300.00", "80.00"}));
  });
}

TEST_F(Desk, ClearingIsRefusedLineByLineInAPartlyReleasedBatch) {
  auto s = openPayment("500");
  payDocument(*s, "INV1");
  atDesk(*s, {1366, 768}, [&](ui::FormWindow&, ui::GridView& grid, auto& answerer) {
    s->app().bXNAHeader.Status = "P";
    answerer.answerYes = true;
    EXPECT_EQ(grid.clearAmounts(), -1);
    settle();
    ASSERT_EQ(answerer.texts.size(), 2u);
    EXPECT_EQ(answerer.texts[1], "Cannot modify application for a Partially Released batch.");
    EXPECT_EQ(s->app().bXHeader.ApplyTotal, 100);
  });
}

TEST_F(Desk, TheEditListOfTheBatchIsExportedAndPrintedWithItsHeader) {
  auto s = openPayment("500");
  payDocument(*s, "INV1");
  atDesk(*s, {1366, 768}, [&](ui::FormWindow&, ui::GridView& grid, auto&) {
    const QString csv = QString::fromStdString(scratch_.file("lines.csv"));
    QString why;
    ASSERT_TRUE(ui::writeCsv(grid, csv, why)) << why.toStdString();
    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split("\r\n");
    EXPECT_TRUE(lines[0].startsWith("Customer ID,Ref Nbr,Customer Name,Company Id,Doc Type,"))
        << lines[0].toStdString();
    EXPECT_EQ(lines.filter("INV1").join("").left(31), "P1,INV1,Parent One,CO1,Invoice,");
    EXPECT_TRUE(lines.filter("INV1").join("").contains(",100.00,100.00,0.00,100.00,0.00,"));
    const QString list = ui::editListHtml(grid);
    for (const char* shown : {"Payment Amount:", "500.00", "CHK1", "INV3"})
      EXPECT_TRUE(list.contains(shown)) << shown;
    // An ID is printed on one line; only words may wrap.
    EXPECT_TRUE(list.contains("<td nowrap>INV1</td>"));
    EXPECT_TRUE(list.contains("<td>Child One</td>"));
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(scratch_.file("edit-list.pdf")));
    ui::printEditList(grid, printer);
    QFile pdf(printer.outputFileName());
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(4) == "%PDF");
  });
}

// Rows out of view are drawn as they scroll in, and all before they are exported.
TEST_F(Desk, ALargeGridDrawsTheRowsInViewAndTheRestAsTheyComeIntoView) {
  for (int i = 0; i < 700; ++i) addDoc({.cust = "C1", .ref = "L" + std::to_string(1000 + i)});
  auto s = openPayment("500");
  atDesk(*s, {1366, 768}, [&](ui::FormWindow&, ui::GridView& grid, auto&) {
    QTableWidget& table = *grid.table();
    const int last = table.rowCount() - 1;
    ASSERT_EQ(last, 702);
    const int ref = referenceColumn(grid);
    EXPECT_EQ(table.item(last, ref), nullptr);
    table.scrollToBottom();
    settle();
    ASSERT_NE(table.item(last, ref), nullptr);
    EXPECT_EQ(table.item(last, ref)->text().toStdString(), s->column("cRefNbr")[last]);
    EXPECT_EQ(ui::csvText(grid).count("\r\n"), 704);
  });
}

// Ctrl+N after a released batch: the next payment is typed in the same window,
// with the last batch's customer and amounts gone and every field open.
TEST_F(Desk, NewAfterAReleasedBatchTakesTheNextPayment) {
  addHeader("0000000009", "C", "NP", "CHK9", 500);
  addDetail("0000000009", "C1", "IN", "INV2", 100);
  auto s = open();
  ASSERT_TRUE(s->set("cNABatNbr", "0000000009"));
  atDesk(*s, {1366, 768}, [&](ui::FormWindow& window, ui::GridView& grid, auto&) {
    const auto shown = [&](const char* name) {
      return window.view()->widgetFor(&s->control(name));
    };
    ASSERT_FALSE(shown("cCustId")->isEnabled());
    ASSERT_FALSE(qobject_cast<QLabel*>(shown("lName"))->text().isEmpty());
    QTest::keyClick(&window, Qt::Key_N, Qt::ControlModifier);
    settle();
    for (const char* open : {"cCustId", "cNARefNbr", "cOrigDocAmt", "cBatchHandling"})
      EXPECT_TRUE(shown(open)->isEnabled()) << open;
    EXPECT_TRUE(qobject_cast<QLabel*>(shown("lName"))->text().isEmpty());
    EXPECT_EQ(qobject_cast<QLineEdit*>(shown("cUnappliedAmt"))->text(), "0.00");
    EXPECT_EQ(grid.table()->rowCount(), 0);
    typeIn(window, s->control("cCustId"), "P1");
    typeIn(window, s->control("cNARefNbr"), "CHK10");
    typeIn(window, s->control("cOrigDocAmt"), "75");
    EXPECT_EQ(qobject_cast<QLineEdit*>(shown("cCustId"))->text(), "P1");
    EXPECT_EQ(qobject_cast<QLineEdit*>(shown("cUnappliedAmt"))->text(), "75.00");
    EXPECT_EQ(grid.table()->rowCount(), 3);
    ASSERT_TRUE(window.run(ui::UpdateAction::Save));
    EXPECT_EQ(rows("select RefNbr, OrigDocAmt from XNAHeader where Status = 'O'"),
              std::vector<std::string>{"CHK10|75.000000"});
  });
}

// A customer refused as typed (a child, not a national account) leaves the
// grid as it was: none of its documents stay on screen, and an amount typed on
// a line shown after the right customer stays on that line.
TEST_F(Desk, ARefusedCustomerLeavesNoneOfItsDocumentsInTheGrid) {
  auto s = open();
  ASSERT_TRUE(s->newBatch());
  atDesk(*s, {1366, 768}, [&](ui::FormWindow& window, ui::GridView& grid, auto& answerer) {
    typeIn(window, s->control("cCustId"), "C1");
    ASSERT_EQ(answerer.texts.size(), 1u);
    EXPECT_NE(answerer.texts[0].find("C1 is not a valid value"), std::string::npos)
        << answerer.texts[0];
    EXPECT_EQ(s->lineCount(), 0u);
    EXPECT_EQ(grid.table()->rowCount(), 0);
    typeIn(window, s->control("cCustId"), "P1");
    typeIn(window, s->control("cNARefNbr"), "CHK1");
    typeIn(window, s->control("cOrigDocAmt"), "500");
    ASSERT_EQ(grid.table()->rowCount(), 3);
    const auto refs = s->column("cRefNbr");
    const int inv2 = static_cast<int>(std::find(refs.begin(), refs.end(), "INV2") - refs.begin());
    const auto& columns = grid.columns();
    const int applied = static_cast<int>(
        std::find(columns.begin(), columns.end(), &s->control("cCuryApplAmt")) - columns.begin());
    grid.table()->setCurrentCell(inv2, applied);
    grid.table()->item(inv2, applied)->setText("120");
    settle();
    EXPECT_EQ(cell(*s, "INV2", "cCuryApplAmt"), "120.00");
    EXPECT_EQ(grid.table()->item(inv2, applied)->text(), "120.00");
    EXPECT_EQ(s->shown("cUnappliedAmt"), "380.00");
  });
}

TEST_F(Desk, TheStatusLineSaysWhatAScreenButtonAndASaveDid) {
  auto s = openPayment("500");
  pick(*s, "INV2");
  atDesk(*s, {1366, 768}, [&](ui::FormWindow& window, ui::GridView&, auto&) {
    qobject_cast<QPushButton*>(window.view()->widgetFor(&s->control("cbAutoApply")))->click();
    EXPECT_EQ(window.statusLine()->currentMessage(), "Pay Document done");
    EXPECT_EQ(s->app().bXHeader.ApplyTotal, 300);
    ASSERT_TRUE(window.run(ui::UpdateAction::Save));
    EXPECT_EQ(window.statusLine()->currentMessage().toStdString(),
              "Batch " + s->app().bXNAHeader.NABatNbr.trimmed() + " saved");
  });
}

// In a window too small for the whole form, the clerk scrolls down to the
// lines: the payment's amount and totals stay in view above them and follow
// Pay Document; back at the top, where the fields show, the strip goes.
TEST_F(Desk, ASmallWindowKeepsThePaymentsTotalsInViewWhileTheLinesAreWorked) {
  auto s = openPayment("500");
  atDesk(*s, {1024, 420}, [&](ui::FormWindow& window, ui::GridView& grid, auto&) {
    ui::KeptInView* strip = window.keptInView();
    auto* scroll = window.findChild<QScrollArea*>();
    ASSERT_NE(scroll, nullptr);
    scroll->verticalScrollBar()->setValue(0);
    settle();
    EXPECT_FALSE(strip->isVisible());
    scroll->verticalScrollBar()->setValue(scroll->verticalScrollBar()->maximum());
    settle();
    ASSERT_TRUE(strip->isVisible());
    EXPECT_EQ(strip->figures(), (QStringList{"Payment Amount 500.00", "Apply Total 0.00",
                                             "Discount Total 0.00", "Unapplied Amount 500.00"}));
    for (int row = 0; row < grid.table()->rowCount(); ++row)
      if (grid.table()->item(row, referenceColumn(grid))->text() == "INV2")
        grid.table()->setCurrentCell(row, referenceColumn(grid));
    settle();
    qobject_cast<QPushButton*>(window.view()->widgetFor(&s->control("cbAutoApply")))->click();
    settle();
    EXPECT_TRUE(strip->isVisible());
    EXPECT_TRUE(strip->figures().contains("Apply Total 300.00"));
    EXPECT_TRUE(strip->figures().contains("Unapplied Amount 200.00"));
    scroll->verticalScrollBar()->setValue(0);
    settle();
    EXPECT_FALSE(strip->isVisible());
  });
}

}  // namespace
}  // namespace corvena::payapp::testing
