#pragma once
// The figures a clerk watches while working the lines (a payment's amount and
// totals), repeated in a strip above the form whenever scrolling has taken
// their fields out of view, so a small window never hides what is left to apply.

#include <QFrame>
#include <utility>
#include <vector>

class QLabel;
class QScrollArea;

namespace corvena::ui {

class FieldEditor;
class FormView;

class KeptInView : public QFrame {
 public:
  KeptInView(FormView& view, QScrollArea& scroll, QWidget* parent);

  // The figures as the model holds them; shown only while a field is out of view.
  void refresh();
  // "Payment Amount 500.00", one text a figure, for tests and the status log alike.
  QStringList figures() const;

 private:
  bool anyOutOfView() const;

  FormView& view_;
  QScrollArea& scroll_;
  std::vector<std::pair<FieldEditor*, QLabel*>> figures_;
};

}  // namespace corvena::ui
