#pragma once
// The columns of a remittance export, known by the names portals give them.

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace corvena::remit {

enum class Column {
  Payer,
  CheckNumber,
  CheckDate,
  CheckAmount,
  Store,
  Reference,
  InvoiceDate,
  Gross,
  Discount,
  Paid,
  Count
};

// The column a heading names, case, blanks and punctuation ignored.
std::optional<Column> columnNamed(std::string_view heading);
// How a message names the column.
std::string_view columnTitle(Column column);

// Where each column is in a row, -1 when the file has none.
using ColumnPlaces = std::array<int, static_cast<std::size_t>(Column::Count)>;

}  // namespace corvena::remit
