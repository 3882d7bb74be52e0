#include "platform/shell/parent_window.h"

#include <chrono>
#include <cstdlib>

#include "platform/signon/company_sign_on.h"
#include "platform/signon/user_directory.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QStatusBar>
#include <QVBoxLayout>
#include <cstdlib>
#include <filesystem>

#include "platform/db/database.h"
#include "platform/shell/parent_launcher.h"

namespace corvena::shell {

namespace {

QString fromStd(const std::string& s) {
  return QString::fromStdString(s);
}

QDate qDate(const Date& d) {
  return QDate(d.year, d.month, d.day);
}

std::vector<std::string> companiesOf(const std::string& path) {
  std::vector<std::string> ids;
  try {
    auto db = db::Database::open(path);
    auto rows = db->run("SELECT CpnyID FROM Company ORDER BY CpnyID");
    while (rows.step()) {
      const db::Value id = rows.column(0);
      if (const auto* text = std::get_if<std::string>(&id)) ids.push_back(*text);
    }
  } catch (const std::exception&) {
    // Not a company database (yet): the company is typed by hand.
  }
  return ids;
}

// The company a clerk last signed on to, per company database.
QSettings signOnMemory() {
  return QSettings(QSettings::IniFormat, QSettings::UserScope, "Corvena", "desktop");
}

QString companyKey(const QString& database) {
  const QString path = QFileInfo(database.trimmed()).absoluteFilePath();
  return "signon/company/" +
         QString::fromLatin1(path.toUtf8().toBase64(QByteArray::Base64UrlEncoding));
}

// Screens the user may not open stay on the menu, but cannot be started.
std::vector<bool> viewRights(const signon::SignOnContext& context, const std::vector<MenuScreen>& screens) {
  std::vector<bool> view(screens.size(), true);
  try {
    // On a server the menu reads as the user's own role, as the screens will.
    const db::Database::Role role = context.password.empty()
                                        ? db::Database::Role{}
                                        : db::Database::Role{context.user, context.password};
    auto db = db::Database::open(context.database, db::Database::Access::View, role);
    signon::UserDirectory users(*db);
    for (std::size_t i = 0; i < screens.size(); ++i)
      view[i] = screens[i].administration ? users.mayAdminister(context.user)
                                          : users.rightsOn(context.user, screens[i].program).view;
  } catch (const std::exception&) {
    // The screens refuse for themselves what the menu cannot tell.
  }
  return view;
}

}  // namespace

SignOnDialog::SignOnDialog(const signon::SignOnOptions& given, QWidget* parent) : QDialog(parent) {
  setWindowTitle("Corvena - Sign On");
  database_ = new QLineEdit(fromStd(given.database.value_or("")));
  database_->setMinimumWidth(360);
  auto* browse = new QPushButton("Browse...");
  connect(browse, &QPushButton::clicked, this, [this] {
    const QString file = QFileDialog::getOpenFileName(this, "Company Database", database_->text());
    if (!file.isEmpty()) database_->setText(file);
    fillCompanies();
  });
  connect(database_, &QLineEdit::editingFinished, this, [this] { fillCompanies(); });
  const char* login = std::getenv("USER");
  user_ = new QLineEdit(fromStd(given.user.value_or(login ? login : "")));
  // A password the shell was started with, from its file or the environment, stands typed.
  password_ = new QLineEdit;
  password_->setEchoMode(QLineEdit::Password);
  const char* envPassword = std::getenv("CORVENA_PASSWORD");
  try {
    password_->setText(fromStd(given.passwordFile ? signon::readPasswordFile(*given.passwordFile)
                                                  : std::string(envPassword ? envPassword : "")));
  } catch (const signon::SignOnError&) {
    // Left blank for the clerk to type.
  }
  company_ = new QComboBox;
  company_->setEditable(true);
  // Enter signs on with the company shown; it never picks another one.
  company_->setInsertPolicy(QComboBox::NoInsert);
  company_->lineEdit()->installEventFilter(this);
  date_ = new QDateEdit(qDate(signon::localToday()));
  date_->setDisplayFormat("yyyy-MM-dd");
  date_->setCalendarPopup(true);
  if (given.date) {
    Date d;
    if (Date::parseIso(*given.date, d)) date_->setDate(qDate(d));
  }
  problem_ = new QLabel;
  problem_->setStyleSheet("color: #b00000");
  auto* databaseRow = new QHBoxLayout;
  databaseRow->addWidget(database_);
  databaseRow->addWidget(browse);
  auto* form = new QFormLayout;
  form->addRow("Company Database:", databaseRow);
  form->addRow("User:", user_);
  form->addRow("Password:", password_);
  form->addRow("Company:", company_);
  form->addRow("Business Date:", date_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(problem_);
  layout->addWidget(buttons);
  fillCompanies();
  if (given.company) company_->setCurrentText(fromStd(*given.company));
  user_->setFocus();
}

bool SignOnDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      accept();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void SignOnDialog::fillCompanies() {
  const QString typed = company_->currentText();
  company_->clear();
  for (const auto& id : companiesOf(database_->text().toStdString()))
    company_->addItem(fromStd(id));
  // The one the clerk signed on to last here, else the first (or only) one.
  const QString last = signOnMemory().value(companyKey(database_->text())).toString();
  if (!typed.isEmpty()) {
    company_->setCurrentText(typed);
  } else if (company_->findText(last) >= 0) {
    company_->setCurrentText(last);
  }
}

std::optional<signon::SignOnContext> SignOnDialog::check(QString& why) const {
  signon::SignOnContext context;
  context.database = database_->text().trimmed().toStdString();
  context.user = user_->text().trimmed().toStdString();
  context.company = company_->currentText().trimmed().toStdString();
  const QDate d = date_->date();
  context.businessDate =
      Date{static_cast<std::uint16_t>(d.year()), static_cast<std::uint8_t>(d.month()),
           static_cast<std::uint8_t>(d.day())};
  if (context.database.empty() || context.user.empty() || context.company.empty()) {
    why = "Enter the company database, the user and the company.";
    return std::nullopt;
  }
  if (auto problem = signon::userNameProblem(context.user)) {
    why = "Sign-on refused: " + QString::fromStdString(*problem) + ".";
    return std::nullopt;
  }
  try {
    context.password = password_->text().toStdString();
    signon::SignedOn opened;
    if (auto refused = signon::openForUser(context, opened)) {
      why = context.password.empty() ? QString("Enter your password.")
                                     : QString::fromStdString(refused->text);
      return std::nullopt;
    }
    context.ticket = opened.ticket;
  } catch (const std::exception& error) {
    why = "The company database cannot be opened: " + QString::fromStdString(error.what());
    return std::nullopt;
  }
  return context;
}

void SignOnDialog::accept() {
  QString why;
  context_ = check(why);
  if (!context_) {
    problem_->setText(why);
    return;
  }
  signOnMemory().setValue(companyKey(database_->text()), fromStd(context_->company));
  QDialog::accept();
}

MenuWindow::MenuWindow(signon::SignOnContext context, std::vector<MenuScreen> screens)
    : context_(std::move(context)), screens_(std::move(screens)), list_(new QListWidget) {
  setWindowTitle("Corvena - Accounts Receivable");
  mayOpen_ = viewRights(context_, screens_);
  for (std::size_t i = 0; i < screens_.size(); ++i) {
    const auto& screen = screens_[i];
    const char* why = !screen.available() ? "   (not installed)" : !mayOpen_[i] ? "   (no rights)" : "";
    auto* item = new QListWidgetItem(fromStd(screen.number + "   " + screen.caption + why));
    if (*why) item->setFlags(item->flags() & ~Qt::ItemIsEnabled);
    list_->addItem(item);
  }
  auto* open = new QPushButton("Start Screen");
  connect(open, &QPushButton::clicked, this, [this] { start(list_->currentRow()); });
  connect(list_, &QListWidget::itemActivated, this,
          [this](QListWidgetItem* item) { start(list_->row(item)); });
  auto* central = new QWidget;
  auto* layout = new QVBoxLayout(central);
  layout->addWidget(new QLabel("National Accounts and Accounts Receivable screens:"));
  layout->addWidget(list_);
  layout->addWidget(open, 0, Qt::AlignRight);
  setCentralWidget(central);
  // Who works where stays in view beside what the menu says of a screen started.
  auto* signedOn = new QLabel(fromStd("Company " + context_.company + "   User " + context_.user +
                                      "   Business date " + context_.businessDate.iso() + "   " +
                                      context_.database));
  signedOn->setObjectName("signedOn");
  statusBar()->addPermanentWidget(signedOn);
  resize(640, 360);
}

bool MenuWindow::start(int row) {
  if (row < 0 || row >= static_cast<int>(screens_.size())) return false;
  const MenuScreen& screen = screens_[static_cast<std::size_t>(row)];
  if (!screen.available() || !mayOpen_[static_cast<std::size_t>(row)]) return false;
  if (launchScreen(*screen.path, context_) > 0) {
    statusBar()->showMessage(fromStd("Started " + screen.number), 4000);
    return true;
  }
  QMessageBox::warning(this, "System Message",
                       fromStd("The screen " + screen.number + " could not be started."));
  return false;
}

}  // namespace corvena::shell
