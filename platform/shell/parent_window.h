#pragma once
// PARENT at a desk: the sign-on window (company database, user, company,
// business date defaulting to today; the clerk starts in the user) and the
// menu window that starts screens.

#include <QDialog>
#include <QMainWindow>
#include <optional>
#include <vector>

#include "platform/shell/parent_menu.h"
#include "platform/signon/sign_on_context.h"

class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QListWidget;

namespace corvena::shell {

class SignOnDialog : public QDialog {
 public:
  // Fields start from the options given to the shell; the date from today.
  SignOnDialog(const signon::SignOnOptions& given, QWidget* parent = nullptr);
  // The context entered, once accepted.
  const std::optional<signon::SignOnContext>& context() const { return context_; }

  QLineEdit* databaseEdit() const { return database_; }
  QLineEdit* userEdit() const { return user_; }
  QLineEdit* passwordEdit() const { return password_; }
  QComboBox* companyBox() const { return company_; }
  QDateEdit* dateEdit() const { return date_; }
  // Checks what is entered, the password among it when the company has users;
  // the context with a ticket for the screens it starts, or the reason it cannot sign on.
  std::optional<signon::SignOnContext> check(QString& why) const;
  // OK: closes only on a context that checks; else says why and stays.
  void accept() override;
  // Enter in the company field signs on with the company shown.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void fillCompanies();
  QLineEdit* database_;
  QLineEdit* user_;
  QLineEdit* password_;
  QComboBox* company_;
  QDateEdit* date_;
  QLabel* problem_;
  std::optional<signon::SignOnContext> context_;
};

class MenuWindow : public QMainWindow {
 public:
  MenuWindow(signon::SignOnContext context, std::vector<MenuScreen> screens);
  QListWidget* list() const { return list_; }
  // Starts the screen of the row; false when it is unavailable, not the user's, or did not start.
  bool start(int row);

 private:
  signon::SignOnContext context_;
  std::vector<MenuScreen> screens_;
  std::vector<bool> mayOpen_;  // the user's view right, per screen
  QListWidget* list_;
};

}  // namespace corvena::shell
