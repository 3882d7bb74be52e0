#include "screens/statement/statement_paper.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <cstdlib>

#include "screens/statement/statement_csv.h"

namespace corvena::statement {

namespace {

struct Column {
  const char* title;
  double share;  // of the line's width
  bool amount = false;
};

using Row = std::vector<QString>;

const std::vector<Column> kAgingColumns = {
    {"Store", 0.11},          {"Name", 0.155},          {"Current", 0.105, true},
    {"1-30", 0.105, true},    {"31-60", 0.105, true},   {"61-90", 0.105, true},
    {"Over 90", 0.105, true}, {"Credits", 0.105, true}, {"Balance", 0.105, true}};
const std::vector<Column> kItemColumns = {
    {"Reference", 0.16},          {"Type", 0.08},           {"Date", 0.13},
    {"Due Date", 0.13},           {"Original", 0.16, true}, {"Balance", 0.16, true},
    {"Days Past Due", 0.18, true}};
const std::vector<Column> kActivityColumns = {
    {"Released", 0.12}, {"Type", 0.06},     {"Reference", 0.13},   {"Description", 0.25},
    {"AR Batch", 0.11}, {"NA Batch", 0.15}, {"Amount", 0.18, true}};
const std::vector<Column> kRemitColumns = {{"Store", 0.16},        {"Reference", 0.15},
                                           {"Type", 0.08},         {"Due Date", 0.14},
                                           {"Balance", 0.2, true}, {"Amount Paid", 0.27, true}};

QString q(const std::string& s) {
  return QString::fromStdString(s);
}

// Pages of one device: a running line on top, rows that carry their table's
// headings onto the next page, a footer with the page's number.
class Pages {
 public:
  explicit Pages(QPagedPaintDevice& device) : device_(device) {
    body_.setStyleHint(QFont::SansSerif);
    body_.setPointSizeF(8.5);
    bold_ = body_;
    bold_.setBold(true);
    title_ = bold_;
    title_.setPointSizeF(13);
    painter_.begin(&device_);
    line_ = QFontMetricsF(body_, &device_).height() * 1.3;
    width_ = device_.width();
    bottom_ = device_.height() - 2 * line_;
  }
  bool active() const { return painter_.isActive(); }
  int finish() {
    footer();
    painter_.end();
    return pages_;
  }

  // Each statement starts on a page of its own.
  void statement(const Statement& s) {
    if (used_) newPage();
    running_ = q(s.parentName + " (" + s.parentId + ")  Statement " + s.asOf.iso());
    used_ = true;
  }
  void newPage() {
    footer();
    device_.newPage();
    ++pages_;
    y_ = 0;
    columns_ = nullptr;
    text(running_, body_);
    gap();
  }
  void title(const QString& t) {
    room(3);
    painter_.setFont(title_);
    painter_.drawText(QRectF(0, y_, width_, line_ * 2), Qt::AlignLeft | Qt::AlignVCenter, t);
    y_ += line_ * 2;
  }
  void text(const QString& t, const QFont& font) {
    room(1);
    painter_.setFont(font);
    painter_.drawText(QRectF(0, y_, width_, line_), Qt::AlignLeft | Qt::AlignVCenter, t);
    y_ += line_;
  }
  void text(const QString& t) { text(t, body_); }
  void heading(const QString& t) {
    gap();
    room(3);
    text(t, bold_);
  }
  void gap() { y_ += line_ / 2; }

  // The columns of the rows that follow, their headings drawn now and on every
  // page the rows go on to.
  void table(const std::vector<Column>& columns) {
    room(2);
    columns_ = &columns;
    headings();
  }
  void row(const Row& cells, bool total = false) {
    if (y_ + line_ > bottom_) {
      const auto* columns = columns_;
      newPage();
      if (columns) table(*columns);
    }
    painter_.setFont(total ? bold_ : body_);
    cellsAt(cells);
    if (total) painter_.drawLine(QPointF(0, y_ - line_ * 0.05), QPointF(width_, y_ - line_ * 0.05));
    y_ += line_;
  }

 private:
  void room(int lines) {
    if (y_ + line_ * lines > bottom_) newPage();
  }
  void headings() {
    Row titles;
    for (const Column& c : *columns_) titles.push_back(c.title);
    painter_.setFont(bold_);
    cellsAt(titles);
    y_ += line_;
    painter_.drawLine(QPointF(0, y_ - line_ * 0.1), QPointF(width_, y_ - line_ * 0.1));
  }
  void cellsAt(const Row& cells) {
    const QFontMetricsF metrics(painter_.font(), &device_);
    const double pad = line_ * 0.2;
    double x = 0;
    for (std::size_t i = 0; i < cells.size() && i < columns_->size(); ++i) {
      const Column& c = (*columns_)[i];
      const double w = c.share * width_;
      QString t = cells[i];
      if (!c.amount && metrics.averageCharWidth() * t.size() > w - 2 * pad)
        t = metrics.elidedText(t, Qt::ElideRight, w - 2 * pad);
      painter_.drawText(QRectF(x + pad, y_, w - 2 * pad, line_),
                        (c.amount ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter, t);
      x += w;
    }
  }
  void footer() {
    painter_.setFont(body_);
    painter_.drawText(QRectF(0, device_.height() - line_, width_, line_),
                      Qt::AlignRight | Qt::AlignVCenter, QString("Page %1").arg(pages_));
  }

  QPagedPaintDevice& device_;
  QPainter painter_;
  QFont body_, bold_, title_;
  double line_ = 0, width_ = 0, bottom_ = 0, y_ = 0;
  const std::vector<Column>* columns_ = nullptr;
  QString running_;
  bool used_ = false;
  int pages_ = 1;
};

class Painter {
 public:
  Painter(Pages& pages, const Statement& s) : p_(pages), s_(s) {}

  void paint() {
    p_.statement(s_);
    p_.title("Consolidated Statement");
    p_.text(q(s_.parentName + " (" + s_.parentId + "), " + std::to_string(s_.stores.size()) +
              " stores"));
    p_.text(q("Statement date " + s_.asOf.iso() + ", activity since " + s_.lastStatement.iso()));
    p_.text("Balance due " + amount(s_.balance()));
    p_.heading("Aging by store, oldest debt first");
    p_.table(kAgingColumns);
    for (const Store* store : byOldestDebt(s_)) p_.row(agingRow(*store));
    p_.row(accountRow(), true);
    for (const Store& store : s_.stores) storePages(store);
    remittance();
  }

 private:
  QString amount(double v) const { return q(amountText(v, s_.decimals)); }
  static QString day(const Date& d) { return d.isBlank() ? QString() : q(d.iso()); }

  Row agingRow(const Store& store) const {
    Row r{q(store.custId), q(store.name)};
    for (double b : store.aging.bucket) r.push_back(amount(b));
    r.push_back(amount(store.creditTotal));
    r.push_back(amount(store.balance()));
    return r;
  }
  Row accountRow() const {
    Row r{"Account", q(s_.parentId)};
    for (double b : s_.aging.bucket) r.push_back(amount(b));
    r.push_back(amount(s_.creditTotal));
    r.push_back(amount(s_.balance()));
    return r;
  }

  void storePages(const Store& store) {
    p_.newPage();
    p_.title(q((store.parent ? "Parent " : "Store ") + store.custId + "  " + store.name));
    items("Open items", store.debits, true);
    items("Open credits", store.credits, false);
    if (!store.activity.empty()) {
      p_.heading(q("Activity since " + s_.lastStatement.iso()));
      p_.table(kActivityColumns);
      for (const Activity& a : store.activity)
        p_.row({day(a.released), q(a.docType), q(a.refNbr), q(a.what), q(a.arBatch), q(a.naBatch),
                amount(a.amount)});
    }
    p_.heading("Store total");
    p_.table(kAgingColumns);
    p_.row(agingRow(store), true);
  }

  void items(const char* heading, const std::vector<OpenItem>& list, bool aged) {
    if (list.empty()) return;
    p_.heading(heading);
    p_.table(kItemColumns);
    for (const OpenItem& i : list)
      p_.row({q(i.refNbr), q(i.docType), day(i.docDate), day(i.dueDate), amount(i.original),
              amount(aged ? i.balance : -i.balance),
              aged ? QString::number(i.daysPastDue) : QString()});
  }

  void remittance() {
    p_.newPage();
    p_.title("Remittance");
    p_.text(q(s_.parentName + " (" + s_.parentId + "), statement " + s_.asOf.iso()));
    p_.text("Return this part with your payment; write the amount paid against each item.");
    p_.gap();
    p_.table(kRemitColumns);
    for (const Store& store : s_.stores) {
      for (const OpenItem& i : store.debits)
        p_.row({q(store.custId), q(i.refNbr), q(i.docType), day(i.dueDate), amount(i.balance),
                "____________"});
      for (const OpenItem& i : store.credits)
        p_.row({q(store.custId), q(i.refNbr), q(i.docType), day(i.dueDate), amount(-i.balance),
                "____________"});
    }
    p_.row({"Total", "", "", "", amount(s_.balance()), ""}, true);
  }

  Pages& p_;
  const Statement& s_;
};

// A PDF needs fonts, and fonts a GUI application; a script run has none of its own.
void ensureGuiApplication() {
  if (QCoreApplication::instance()) return;
  if (!std::getenv("QT_QPA_PLATFORM") && !std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "QM18700";
  static char* argv[] = {name, nullptr};
  // Kept to the end of the process: the fonts it loaded serve every later PDF.
  static auto* app = new QGuiApplication(argc, argv);
  (void)app;
}

}  // namespace

int paintStatements(const std::vector<Statement>& statements, QPagedPaintDevice& device) {
  Pages pages(device);
  if (!pages.active()) return 0;
  for (const Statement& s : statements) Painter(pages, s).paint();
  return pages.finish();
}

bool writePdf(const std::vector<Statement>& statements, const std::string& path, Paper paper,
              std::string& why) {
  ensureGuiApplication();
  QPdfWriter pdf(q(path));
  pdf.setResolution(300);
  pdf.setPageSize(QPageSize(paper == Paper::A4 ? QPageSize::A4 : QPageSize::Letter));
  pdf.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
  pdf.setTitle("Consolidated Statement");
  pdf.setCreator("Corvena National Accounts");
  if (paintStatements(statements, pdf) > 0) return true;
  why = "The PDF " + path + " cannot be written.";
  return false;
}

}  // namespace corvena::statement
