#include "platform/ui/form_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/forms/entry_check.h"
#include "platform/ui/event_guard.h"
#include "platform/ui/form_view.h"
#include "platform/ui/kept_in_view.h"
#include "platform/ui/lookup_dialog.h"
#include "platform/ui/qt_text.h"
#include "platform/ui/window_memory.h"

namespace corvena::ui {

namespace {

struct ButtonOf {
  UpdateAction action;
  int button;
};
// The toolbar buttons SetButton switches.
constexpr ButtonOf kSwitched[] = {{UpdateAction::New, forms::kButtonNew},
                                  {UpdateAction::Delete, forms::kButtonDelete},
                                  {UpdateAction::Save, forms::kButtonSave},
                                  {UpdateAction::Cancel, forms::kButtonCancel}};

}  // namespace

FormWindow::FormWindow(forms::Session& session, forms::Form& form)
    : session_(&session), form_(&form), view_(new FormView(session, form)) {
  setObjectName(qText(form.name()));
  setWindowTitle(qText(form.caption()));
  auto* central = new QWidget(this);
  auto* scroll = new QScrollArea(central);
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setWidget(view_);
  keptInView_ = new KeptInView(*view_, *scroll, central);
  auto* column = new QVBoxLayout(central);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  column->addWidget(keptInView_);
  column->addWidget(scroll);
  setCentralWidget(central);
  // What the last action said is not left beside the next one.
  view_->setModelChanged([this] {
    statusLine()->clearMessage();
    updateButtons();
    keptInView_->refresh();
  });
  view_->setButtonDone([this](const forms::Control& button, bool done, const ActionTrace& trace) {
    tellClicked(button, done, trace);
  });
  addActions();
  statusBar()->setSizeGripEnabled(true);
  addKeyHints();
  focusWatch_ =
      QObject::connect(qApp, &QApplication::focusChanged, this, [this] { updateButtons(); });
  updateButtons();
}

// The whole form in view where the screen allows; scroll bars beyond that.
void FormWindow::fitToContent() {
  // Room for a vertical scroll bar, so a form taller than the screen keeps its width.
  const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  const QSize content = view_->sizeHint() + QSize(32 + scrollBar, 24);
  // Every toolbar button in view too: none hides behind the overflow arrow.
  int barHeight = 0;
  int barWidth = 520;
  for (auto* bar : findChildren<QToolBar*>()) {
    barHeight += bar->sizeHint().height();
    barWidth = std::max(barWidth, bar->sizeHint().width() + 8);
  }
  QSize wanted(std::max(content.width(), barWidth), content.height() + barHeight);
  // Lines take whatever height the screen has: a grid opens as tall as it allows.
  if (view_->hasGrid()) wanted.setHeight(QWIDGETSIZE_MAX);
  QScreen* display = screen();
  if (!display) {
    resize(wanted);
    return;
  }
  const QRect room = display->availableGeometry();
  const QSize frame = frameAround();
  counted_ = frame;
  resize(wanted.boundedTo(room.size() - frame));
  // Title bar and status line both on the screen.
  const QSize whole = size() + frame;
  move(room.x() + std::max(0, (room.width() - whole.width()) / 2),
       room.y() + std::max(0, (room.height() - whole.height()) / 2));
}

// What the window manager draws around the window; before it has, a title
// bar of the usual height and a thin border are counted.
QSize FormWindow::frameAround() const {
  const QSize frame = frameGeometry().size() - geometry().size();
  if (!frame.isEmpty()) return frame;
  const int border = 4;
  const int title =
      std::max(style()->pixelMetric(QStyle::PM_TitleBarHeight), fontMetrics().height() * 2);
  return {2 * border, title + 2 * border};
}

// Once the window manager has framed the window, a frame larger than was
// counted when it was sized takes its bottom (the status line) off the screen.
void FormWindow::keepOnScreen() {
  QScreen* display = screen();
  if (!counted_.isValid() || !display || frameGeometry().size() == geometry().size()) return;
  const QSize grown = (frameAround() - counted_).expandedTo(QSize(0, 0));
  counted_ = QSize();
  if (grown.isNull()) return;
  const QRect room = display->availableGeometry();
  resize(size().boundedTo(room.size() - frameAround()));
  const QRect whole = frameGeometry();
  move(std::max(room.x(), std::min(whole.x(), room.right() + 1 - whole.width())),
       std::max(room.y(), std::min(whole.y(), room.bottom() + 1 - whole.height())));
}

void FormWindow::moveEvent(QMoveEvent* event) {
  QMainWindow::moveEvent(event);
  keepOnScreen();
}

// Focus moves while the widgets are taken down; the window no longer follows it.
FormWindow::~FormWindow() {
  QObject::disconnect(focusWatch_);
}

QAction* FormWindow::addAction(UpdateAction which, const QString& text, int icon,
                               const QKeySequence& key) {
  auto* action =
      new QAction(style()->standardIcon(static_cast<QStyle::StandardPixmap>(icon)), text, this);
  action->setShortcut(key);
  action->setShortcutContext(Qt::WindowShortcut);
  action->setToolTip(text + (key.isEmpty() ? QString() : " (" + key.toString() + ")"));
  QObject::connect(action, &QAction::triggered, this, [this, which] { run(which); });
  QMainWindow::addAction(action);
  actions_[which] = action;
  return action;
}

void FormWindow::addActions() {
  auto* lookup = new QAction("Possible Values", this);
  lookup->setShortcut(QKeySequence(Qt::Key_F3));
  QObject::connect(lookup, &QAction::triggered, this, [this] { lookUp(); });
  QMainWindow::addAction(lookup);
  const bool hasUpdate = form_->updateControl() != nullptr;
  auto* bar = addToolBar("Update");
  bar->setObjectName("Update1");
  bar->setMovable(false);
  // Text beside the icons: the lines get the height a row of captions would take.
  bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  if (hasUpdate) {
    bar->addAction(addAction(UpdateAction::New, "New", QStyle::SP_FileIcon, Qt::CTRL | Qt::Key_N));
    bar->addAction(
        addAction(UpdateAction::Save, "Save", QStyle::SP_DialogSaveButton, QKeySequence::Save));
    bar->addAction(
        addAction(UpdateAction::Delete, "Delete", QStyle::SP_TrashIcon, Qt::CTRL | Qt::Key_D));
    bar->addAction(
        addAction(UpdateAction::Cancel, "Cancel", QStyle::SP_DialogCancelButton, Qt::Key_Escape));
    bar->addSeparator();
    bar->addAction(addAction(UpdateAction::First, "First", QStyle::SP_MediaSkipBackward,
                             Qt::CTRL | Qt::Key_Home));
    bar->addAction(addAction(UpdateAction::Previous, "Previous", QStyle::SP_MediaSeekBackward,
                             Qt::Key_PageUp));
    bar->addAction(
        addAction(UpdateAction::Next, "Next", QStyle::SP_MediaSeekForward, Qt::Key_PageDown));
    bar->addAction(
        addAction(UpdateAction::Last, "Last", QStyle::SP_MediaSkipForward, Qt::CTRL | Qt::Key_End));
    bar->addSeparator();
  }
  bar->addAction(
      addAction(UpdateAction::Close, "Close", QStyle::SP_DialogCloseButton, Qt::CTRL | Qt::Key_W));
}

// The keys a clerk would not guess, at the status line's right where they stay in view.
void FormWindow::addKeyHints() {
  bool lookups = false;
  for (const auto& control : form_->controls()) lookups |= forms::hasLookup(*control);
  QStringList hints;
  if (lookups) hints << "F3 Possible Values";
  if (view_->hasGrid())
    hints << "F4 Grid/Line Form"
          << "Ctrl+Del Delete Line";
  if (hints.isEmpty()) return;
  auto* label = new QLabel(hints.join("    "), this);
  label->setObjectName("keyHints");
  label->setEnabled(false);
  statusBar()->addPermanentWidget(label);
}

QAction* FormWindow::action(UpdateAction which) const {
  auto it = actions_.find(which);
  return it == actions_.end() ? nullptr : it->second;
}

bool FormWindow::isMainForm() const {
  return &session_->mainForm() == form_;
}

int FormWindow::currentLevel() const {
  const forms::Control* control = view_->focusedControl();
  if (!control) return 0;
  const int level = control->level();
  return level < 0 || level >= static_cast<int>(session_->updates().levels().size()) ? 0 : level;
}

void FormWindow::updateButtons() {
  if (closed_) return;
  const int level = currentLevel();
  for (const auto& [which, button] : kSwitched)
    if (QAction* a = action(which)) a->setEnabled(session_->updates().buttonEnabled(button, level));
}

bool FormWindow::run(UpdateAction which) {
  if (which == UpdateAction::Close) return close();
  // Cancel drops what is typed; everything else first enters it.
  if (which != UpdateAction::Cancel && !view_->commitFocused()) return false;
  const ActionTrace trace(*session_);
  const bool done = guardedCall(*session_, [&] { return perform(which); });
  if (closed_) return done;
  tell(which, done, trace);
  view_->refreshAll();
  keptInView_->refresh();
  if (done && which == UpdateAction::New) view_->focusFirstField();
  updateButtons();
  return done;
}

bool FormWindow::perform(UpdateAction which) {
  const int level = currentLevel();
  switch (which) {
    case UpdateAction::New:
      return session_->updates().newRecord(level);
    case UpdateAction::Save:
      return session_->updates().save();
    case UpdateAction::Delete:
      return session_->updates().deleteLevel(level);
    case UpdateAction::Cancel:
      return session_->updates().cancel();
    case UpdateAction::First:
      return session_->updates().navigate(level, forms::Navigation::First);
    case UpdateAction::Previous:
      return session_->updates().navigate(level, forms::Navigation::Previous);
    case UpdateAction::Next:
      return session_->updates().navigate(level, forms::Navigation::Next);
    case UpdateAction::Last:
      return session_->updates().navigate(level, forms::Navigation::Last);
    case UpdateAction::Close:
      return false;
  }
  return false;
}

void FormWindow::lookUp() {
  forms::Control* control = view_->focusedControl();
  if (!control || !forms::hasLookup(*control)) {
    QApplication::beep();
    return;
  }
  // The dialog takes the focus: the choice goes where the clerk pressed F3.
  const auto enter = view_->entryForFocused();
  // Titled as the screen names the field, whatever the control is called.
  const QLabel* label = view_->labelOf(control);
  const QString title = label ? label->text().remove('&').remove(':').trimmed() : QString();
  const auto chosen = LookupDialog::choose(*session_, *control, this, title);
  if (chosen && enter) enter(*chosen);
  updateButtons();
}

QStatusBar* FormWindow::statusLine() const {
  return const_cast<FormWindow*>(this)->statusBar();
}

// A second form (a transfer's line detail) saves the record of the main form.
QString FormWindow::recordShown() const {
  for (const forms::Form* form : {form_, &session_->mainForm()})
    for (const auto& control : form->controls()) {
      if (!control->isKey() || control->level() != 0 || !control->bound()) continue;
      const forms::Control* frame = form->find(control->desc().parent);
      const std::string name = frame && !frame->property("caption").empty()
                                   ? frame->property("caption")
                                   : forms::controlLabel(*control);
      return qText(name + " " + session_->displayText(*control));
    }
  return "Record";
}

void FormWindow::tell(UpdateAction which, bool done, const ActionTrace& trace) {
  QString text;
  switch (which) {
    case UpdateAction::Save:
      text = done ? recordShown() + " saved" : "Nothing saved";
      break;
    case UpdateAction::Delete:
      text = done ? "Deleted" : "Nothing deleted";
      break;
    case UpdateAction::New:
      text = done ? "New entry" : QString();
      break;
    case UpdateAction::Cancel:
      text = done ? "Changes dropped" : QString();
      break;
    case UpdateAction::Close:
      break;
    default:
      text = done ? recordShown() : QString();
  }
  say(text, trace);
}

void FormWindow::tellClicked(const forms::Control& button, bool done, const ActionTrace& trace) {
  if (trace.saved()) {
    say(recordShown() + " saved", trace);
    return;
  }
  const QString caption = qText(button.property("caption")).remove('&');
  say(caption + (done ? " done" : " refused"), trace);
}

void FormWindow::say(QString text, const ActionTrace& trace) {
  const QString logged = trace.logged();
  if (!logged.isEmpty()) text = text.isEmpty() ? logged : text + ". " + logged;
  statusLine()->showMessage(text);
}

std::string FormWindow::screenName() const {
  return stdText(QCoreApplication::applicationName()) + "/" + form_->name();
}

std::string FormWindow::userName() const {
  return std::string(session_->pes().UserId.trimmed());
}

void FormWindow::restorePlace() {
  placed_ = restoreWindowPlace(*this, screenName(), userName());
}

// What is typed but not yet entered counts as unsaved work too.
bool FormWindow::keepsNothingUnsaved() {
  view_->commitFocused();
  return guardedCall(*session_, [&] { return session_->updates().settleUnsaved("closing"); });
}

void FormWindow::dismiss() {
  dismissing_ = true;
  close();
  dismissing_ = false;
}

// Without a window manager nobody hands a new window the keys: it takes them.
void FormWindow::showEvent(QShowEvent* event) {
  // Sized once its widgets are polished, unless the clerk's own place was kept.
  if (!placed_) fitToContent();
  placed_ = true;
  QTimer::singleShot(0, this, [this] { keepOnScreen(); });
  QMainWindow::showEvent(event);
  activateWindow();
  if (!focusWidget()) view_->focusFirstField();
}

void FormWindow::closeEvent(QCloseEvent* event) {
  event->accept();
  if (dismissing_) return;
  // Closing the main form ends the desktop run: whoever started it closes the
  // screen (unload handler, ScreenExit). A second form is only hidden.
  if (isMainForm()) {
    if (!keepsNothingUnsaved()) {
      event->ignore();
      return;
    }
    closed_ = true;
    keepWindowPlace(*this, screenName(), userName());
    QCoreApplication::exit(0);
    return;
  }
  guardedCall(*session_, [&] {
    session_->hideForm(*form_);
    return true;
  });
}

}  // namespace corvena::ui
