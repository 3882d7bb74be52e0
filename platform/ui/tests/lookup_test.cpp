// F3's look-up list: the pv procedure's rows for '%', narrowed as typed; the
// chosen value is entered as if typed.
#include <QLineEdit>
#include <QTableWidget>

#include "platform/ui/lookup_dialog.h"
#include "platform/ui/tests/render_fixture.h"

namespace corvena::ui::testing {
namespace {

using Lookup = RenderTest;

TEST_F(Lookup, ListsThePossibleValuesOfTheField) {
  EXPECT_EQ(lookupCall(*session_, control("cCarrier")), "UCarrier_All '%'");
  const auto rows = fetchLookupRows(*session_, control("cCarrier"));
  ASSERT_EQ(rows.rows.size(), 2u);
  EXPECT_EQ(rows.columns[0], "Carrier");
  EXPECT_EQ(rows.rows[1][0], "SLOWBOAT");
  EXPECT_EQ(rows.rows[1][1], "Slow Boat");
}

TEST_F(Lookup, TypingNarrowsTheListAndTheSelectedRowGivesTheValue) {
  LookupDialog dialog(control("cCarrier"), fetchLookupRows(*session_, control("cCarrier")));
  EXPECT_EQ(dialog.selectedValue(), "FASTSHIP");
  dialog.filter()->setText("slow");
  EXPECT_TRUE(dialog.table()->isRowHidden(0));
  EXPECT_EQ(dialog.selectedValue(), "SLOWBOAT");
}

TEST_F(Lookup, TheChosenValueIsEnteredAsIfTyped) {
  FieldEditor* editor = view().editorFor(&control("cCarrier"));
  ASSERT_TRUE(editor->enterAsTyped("SLOWBOAT"));
  EXPECT_EQ(delivery_.Carrier.trimmed(), "SLOWBOAT");
  EXPECT_EQ(qobject_cast<QLineEdit*>(widget("cCarrier"))->text(), "SLOWBOAT");
}

}  // namespace
}  // namespace corvena::ui::testing
