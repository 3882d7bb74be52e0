// PARENT's sign-on window: a context only for a company database that opens,
// with user and company; the business date defaults to today; Enter signs on;
// the company last signed on to is offered again.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSettings>
#include <cstdlib>
#include <filesystem>

#include "platform/db/database.h"
#include "platform/db/tests/test_database.h"
#include "platform/shell/parent_window.h"
#include "platform/signon/user_directory.h"

namespace corvena::shell {
namespace {

void app() {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  static int argc = 1;
  static char name[] = "parent_ui_tests";
  static char* argv[] = {name, nullptr};
  if (!QApplication::instance()) new QApplication(argc, argv);
}

class SignOn : public ::testing::Test {
 protected:
  void SetUp() override {
    app();
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                       QString::fromStdString((dir_ / "settings").string()));
    database_ = (dir_ / "company.db").string();
    auto db = db::Database::create(database_);
    db->exec(
        "INSERT INTO Company (CpnyID, CpnyName) VALUES ('NORTH', 'North'), ('SOUTH', 'South')");
  }

  db::testing::ScratchDir scratch_;
  std::filesystem::path dir_ = std::filesystem::path(scratch_.file("")).parent_path();
  std::string database_;
};

TEST_F(SignOn, TheBusinessDateDefaultsToToday) {
  SignOnDialog dialog(signon::SignOnOptions{});
  const Date today = signon::localToday();
  EXPECT_EQ(dialog.dateEdit()->date(), QDate(today.year, today.month, today.day));
}

TEST_F(SignOn, TheCompaniesOfTheDatabaseAreOffered) {
  signon::SignOnOptions given;
  given.database = database_;
  SignOnDialog dialog(given);
  ASSERT_EQ(dialog.companyBox()->count(), 2);
  EXPECT_EQ(dialog.companyBox()->itemText(1), "SOUTH");
}

TEST_F(SignOn, TheCompanyLastSignedOnToIsOfferedNextTime) {
  signon::SignOnOptions given;
  given.database = database_;
  given.user = "CLERK1";
  {
    SignOnDialog first(given);
    EXPECT_EQ(first.companyBox()->currentText(), "NORTH");
    first.companyBox()->setCurrentText("SOUTH");
    first.accept();
    ASSERT_TRUE(first.context());
  }
  SignOnDialog next(given);
  EXPECT_EQ(next.companyBox()->currentText(), "SOUTH");
}

TEST_F(SignOn, AnEnteredSignOnGivesTheContext) {
  signon::SignOnOptions given;
  given.database = database_;
  given.user = "CLERK1";
  given.company = "SOUTH";
  given.date = "2026-03-02";
  SignOnDialog dialog(given);
  QString why;
  const auto context = dialog.check(why);
  ASSERT_TRUE(context) << why.toStdString();
  EXPECT_EQ(context->database, database_);
  EXPECT_EQ(context->user, "CLERK1");
  EXPECT_EQ(context->company, "SOUTH");
  EXPECT_EQ(context->businessDate, (Date{2026, 3, 2}));
}

TEST_F(SignOn, AMissingUserIsRefused) {
  signon::SignOnOptions given;
  given.database = database_;
  given.company = "NORTH";
  SignOnDialog dialog(given);
  dialog.userEdit()->clear();
  QString why;
  EXPECT_FALSE(dialog.check(why));
  EXPECT_FALSE(why.isEmpty());
}

TEST_F(SignOn, ADatabaseThatDoesNotOpenIsRefused) {
  signon::SignOnOptions given;
  given.database = (dir_ / "nothing-here.db").string();
  given.user = "CLERK1";
  given.company = "NORTH";
  SignOnDialog dialog(given);
  QString why;
  EXPECT_FALSE(dialog.check(why));
  EXPECT_TRUE(why.contains("cannot be opened")) << why.toStdString();
  dialog.accept();
  EXPECT_FALSE(dialog.context());
}

// A company with users signs on only with the password, and hands a ticket on.
TEST_F(SignOn, APasswordIsCheckedWhenTheCompanyHasUsers) {
  {
    auto db = db::Database::open(database_);
    signon::UserDirectory(*db).addUser("CLERK1", "Clerk", "open sesame", false);
  }
  signon::SignOnOptions given;
  given.database = database_;
  given.user = "CLERK1";
  given.company = "NORTH";
  SignOnDialog dialog(given);
  dialog.passwordEdit()->setText("open barley");
  QString why;
  EXPECT_FALSE(dialog.check(why));
  EXPECT_EQ(why.toStdString(), signon::kWrongSignOn);
  dialog.passwordEdit()->setText("open sesame");
  const auto context = dialog.check(why);
  ASSERT_TRUE(context);
  EXPECT_FALSE(context->ticket.empty());
  ::unsetenv("CORVENA_TICKET");
}

TEST_F(SignOn, TheClerkStartsInTheUserAndEnterInTheCompanySignsOnWithIt) {
  signon::SignOnOptions given;
  given.database = database_;
  given.user = "CLERK1";
  given.company = "SOUTH";
  SignOnDialog dialog(given);
  dialog.show();
  QApplication::setActiveWindow(&dialog);
  QApplication::processEvents();
  EXPECT_EQ(QApplication::focusWidget(), dialog.userEdit());
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(dialog.companyBox()->lineEdit(), &enter);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  ASSERT_TRUE(dialog.context());
  EXPECT_EQ(dialog.context()->company, "SOUTH");
}

}  // namespace
}  // namespace corvena::shell
