// A report a screen hands the clerk: its rows and summary in a window beside
// the form, which stays in use; the next report replaces it.
#include "platform/ui/report_window.h"

#include <QApplication>
#include <QTableWidget>

#include "platform/ui/tests/render_fixture.h"

namespace corvena::ui::testing {
namespace {

using Report = RenderTest;

forms::Report review(std::vector<std::vector<std::string>> rows, std::string summary) {
  return {.caption = "Remittance Review",
          .tag = "REMIT",
          .headings = {"Line", "Reference", "Result"},
          .rows = std::move(rows),
          .summary = std::move(summary)};
}

TEST_F(Report, ItsRowsAndSummaryShowBesideTheFormWhichStaysInUse) {
  auto& ui = dynamic_cast<QtUi&>(session_->ui());
  ui.report(review({{"2", "000123", "Applied"}, {"3", "R9", "Not applied"}}, "Check 1001: 1 of 2"));
  settle();
  ReportWindow* shown = ui.reportWindow();
  ASSERT_NE(shown, nullptr);
  EXPECT_TRUE(shown->isVisible());
  EXPECT_FALSE(shown->isModal());
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  EXPECT_EQ(shown->windowTitle(), "Remittance Review");
  EXPECT_EQ(shown->summary(), "Check 1001: 1 of 2");
  ASSERT_EQ(shown->table()->rowCount(), 2);
  EXPECT_EQ(shown->table()->horizontalHeaderItem(2)->text(), "Result");
  EXPECT_EQ(shown->table()->item(1, 1)->text(), "R9");
  EXPECT_FALSE(shown->grab().isNull());

  ui.report(review({{"2", "000124", "Short"}}, "Check 1002"));
  EXPECT_EQ(ui.reportWindow(), shown);
  EXPECT_EQ(shown->table()->rowCount(), 1);
  EXPECT_EQ(shown->table()->item(0, 2)->text(), "Short");
}

}  // namespace
}  // namespace corvena::ui::testing
