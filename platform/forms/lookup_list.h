#pragma once
// A field's look-up list (F3 at a desk, `lookup` in a script): the rows its
// possible-values procedure gives for the pattern '%', and the column of them
// that holds what the field stores. That is the column the procedure matches
// the value against, so a chosen row enters a value the field's own check
// finds again, whatever the column is called.

#include <cstddef>
#include <string>
#include <vector>

#include "platform/db/database.h"

namespace corvena::forms {

class Control;
class Session;

struct LookupList {
  std::vector<std::string> columns;
  std::vector<std::vector<db::Value>> rows;
  std::size_t valueColumn = 0;
  // The row's value as it is entered in the field.
  std::string value(std::size_t row) const;
};

// Whether the field has a look-up list: a possible-values procedure, or one the screen makes.
bool hasLookup(const Control& control);
// Throws db::DbError when the database refuses the procedure.
LookupList lookupList(Session& session, const Control& control);

// The column the procedure's last parameter (the value) is matched against in
// its result's statement ("Acct" of "a.Acct LIKE ?3"); empty when it says none.
std::string matchedColumn(const db::Database::Procedure& procedure);

// A value as text: a whole number without decimals, a blank for none.
std::string valueText(const db::Value& value);

}  // namespace corvena::forms
