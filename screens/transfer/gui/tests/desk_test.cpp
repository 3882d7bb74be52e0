// QM18900 at a clerk's desk, drawn by the renderer on Qt's offscreen platform:
// a destination's line detail names its destination, takes an amount typed in
// its grid with no "Please wait" window left behind, and its OK says on the
// screen's status line what it saved.
#include <QApplication>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QStatusBar>
#include <QTableWidget>
#include <QTimer>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <sstream>

#include "platform/ui/form_view.h"
#include "platform/ui/form_window.h"
#include "platform/ui/grid_view.h"
#include "platform/ui/gui.h"
#include "platform/ui/qt_ui.h"
#include "platform/ui/tests/message_answerer.h"
#include "screens/transfer/tests/transfer_fixture.h"

namespace corvena::transfer::testing {
namespace {

class Desk : public TransferTest {
 protected:
  void SetUp() override {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    TransferTest::SetUp();
    source_ = creditMemo("K1", {100});
    static int argc = 1;
    static char name[] = "QM18900";
    static char* argv[] = {name, nullptr};
    auto gui = ui::createGuiUi(argc, argv);
    answerer_ = std::make_unique<ui::testing::MessageAnswerer>();
    process_ = std::make_unique<screens::testing::ScreenUnderTest>(
        screen(), signedOn(), host::defaultHostServices(), std::move(gui));
    ASSERT_FALSE(process_->ended()) << process_->output();
    // Any work at all is told, as a long one is.
    desk().setWorkNoticedAfter(std::chrono::milliseconds(0));
    main_ = &desk().window(process_->session().mainForm());
    main_->show();
    settle();
  }
  void TearDown() override {
    process_.reset();
    TransferTest::TearDown();
  }

  ui::QtUi& desk() { return dynamic_cast<ui::QtUi&>(process_->session().ui()); }
  ui::FormWindow& window(const char* form) {
    return desk().window(*process_->session().findForm(form));
  }
  forms::Control& control(const char* name) { return process_->session().control(name); }
  static void settle() {
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
  }
  // Types into the grid's new-line row, in the column of `column`.
  void typeInNewLine(const char* form, const char* grid, const char* column, const QString& text) {
    ui::GridView* view = window(form).view()->gridFor(&control(grid));
    const auto& columns = view->columns();
    const int at = static_cast<int>(
        std::find(columns.begin(), columns.end(), &control(column)) - columns.begin());
    QTableWidget* table = view->table();
    table->setFocus();
    table->setCurrentCell(table->rowCount() - 1, at);
    table->item(table->rowCount() - 1, at)->setText(text);
    settle();
  }

  std::string source_;
  std::unique_ptr<screens::testing::ScreenUnderTest> process_;
  ui::FormWindow* main_ = nullptr;
  std::unique_ptr<ui::testing::MessageAnswerer> answerer_;
};

TEST_F(Desk, LineDetailNamesItsDestinationTakesAnAmountWithNoWaitLeftAndItsOKSaysWhatItSaved) {
  ASSERT_EQ(process_->run("set cSrcCustId K1\nset cSrcRefNbr " + source_ +
                          "\nline Spread1 new\nset cDestCustID K2\nset cDestAmt 100\nsave\n"),
            0)
      << process_->output();
  auto* lineDetail = qobject_cast<QPushButton*>(main_->view()->widgetFor(&control("cmdDetailLines")));
  ASSERT_NE(lineDetail, nullptr);
  bool atDetail = false;
  QTimer clerk;
  clerk.setInterval(5);
  QObject::connect(&clerk, &QTimer::timeout, [&] {
    ui::FormWindow& detail = window("frmDetailLines");
    if (atDetail || !detail.isVisible() || QApplication::activeModalWidget()) return;
    atDetail = true;
    auto* named = qobject_cast<QLabel*>(detail.view()->widgetFor(&control("lDestination")));
    ASSERT_NE(named, nullptr);
    EXPECT_EQ(named->text().toStdString(), "Lines of destination K2 Child Two");
    EXPECT_TRUE(named->isVisible());
    typeInNewLine("frmDetailLines", "Spread2", "cTranAmt_2", "100");
    EXPECT_EQ(process_->session().grids().lineCount(control("Spread2")), 1u);
    EXPECT_EQ(desk().progress().window(), nullptr);
    qobject_cast<QPushButton*>(detail.view()->widgetFor(&control("cmdOK")))->click();
  });
  clerk.start();
  lineDetail->click();
  clerk.stop();
  settle();
  ASSERT_TRUE(atDetail);
  EXPECT_EQ(desk().progress().window(), nullptr);
  const auto batch = rows("select NATrBatNbr from XNATranHdr");
  ASSERT_EQ(batch.size(), 1u);
  EXPECT_EQ(main_->statusLine()->currentMessage().toStdString(), "Batch " + batch[0] + " saved");
  EXPECT_EQ(rows("select DetCustID, printf('%.2f', TranAmt) from XNATranDLn"), Rows{"K2|100.00"});
}

}  // namespace
}  // namespace corvena::transfer::testing
