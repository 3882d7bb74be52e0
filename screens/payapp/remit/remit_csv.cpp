#include "screens/payapp/remit/remit_csv.h"

#include <csv.h>

#include <memory>
#include <vector>

#include "screens/payapp/remit/remit_csv_columns.h"
#include "screens/payapp/remit/remit_values.h"

namespace corvena::remit {

namespace {

struct Row {
  int line = 0;  // where the row's first field ended
  std::vector<std::string> fields;
};

// Collects the rows libcsv hands back, each with the line it was read on.
struct Rows {
  std::vector<Row> rows;
  Row current;
  int line = 0;

  static void field(void* text, std::size_t size, void* self) {
    auto& r = *static_cast<Rows*>(self);
    if (r.current.fields.empty()) r.current.line = r.line;
    r.current.fields.emplace_back(static_cast<const char*>(text), size);
  }
  static void rowEnd(int, void* self) {
    auto& r = *static_cast<Rows*>(self);
    r.rows.push_back(std::move(r.current));
    r.current = {};
  }
};

// The header's separator: the one of comma and semicolon it uses more, outside quotes.
char separatorOf(std::string_view header) {
  int commas = 0, semicolons = 0;
  bool quoted = false;
  for (char c : header) {
    if (c == '"') quoted = !quoted;
    if (quoted) continue;
    commas += c == ',';
    semicolons += c == ';';
  }
  return semicolons > commas ? ';' : ',';
}

std::vector<Row> parseRows(std::string_view text, char separator) {
  csv_parser parser;
  if (csv_init(&parser, CSV_STRICT | CSV_STRICT_FINI | CSV_APPEND_NULL) != 0)
    throw RemitError(0, "The CSV reader could not start.");
  std::unique_ptr<csv_parser, void (*)(csv_parser*)> owner(&parser, csv_free);
  csv_set_delim(&parser, static_cast<unsigned char>(separator));
  Rows rows;
  while (!text.empty()) {
    ++rows.line;
    const auto end = text.find('\n');
    const auto piece = text.substr(0, end == std::string_view::npos ? text.size() : end + 1);
    if (csv_parse(&parser, piece.data(), piece.size(), Rows::field, Rows::rowEnd, &rows) !=
        piece.size())
      throw RemitError(rows.line,
                       "a quote out of place (a quoted field must be quoted whole, "
                       "a quote inside it doubled).");
    text.remove_prefix(piece.size());
  }
  if (csv_fini(&parser, Rows::field, Rows::rowEnd, &rows) != 0)
    throw RemitError(rows.line, "a quoted field is not closed by the end of the file.");
  return rows.rows;
}

bool blankRow(const Row& row) {
  for (const auto& f : row.fields)
    if (f.find_first_not_of(" \t\r") != std::string::npos) return false;
  return true;
}

ColumnPlaces placesOf(const Row& header) {
  ColumnPlaces places;
  places.fill(-1);
  for (int i = 0; i < static_cast<int>(header.fields.size()); ++i)
    if (auto column = columnNamed(header.fields[i]);
        column && places[static_cast<std::size_t>(*column)] < 0)
      places[static_cast<std::size_t>(*column)] = i;
  for (Column needed :
       {Column::CheckNumber, Column::CheckAmount, Column::Reference, Column::Paid}) {
    if (places[static_cast<std::size_t>(needed)] >= 0) continue;
    std::string found;
    for (const auto& f : header.fields) found += (found.empty() ? "" : ", ") + f;
    throw RemitError(header.line, "no column for the " + std::string(columnTitle(needed)) +
                                      " (the header names: " + found + ").");
  }
  return places;
}

// One data row, read against the header's columns.
class RowReader {
 public:
  RowReader(const Row& row, const ColumnPlaces& places, bool decimalComma)
      : row_(row), places_(places), decimalComma_(decimalComma) {}

  std::string text(Column c) const {
    const int at = places_[static_cast<std::size_t>(c)];
    return at < 0 ? std::string() : row_.fields[at];
  }
  Cents amount(Column c) const {
    const std::string t = text(c);
    if (t.find_first_not_of(" \t") == std::string::npos) return 0;
    return parseAmount(t, row_.line, columnTitle(c), decimalComma_);
  }
  Date date(Column c) const { return parseDate(text(c), row_.line, columnTitle(c)); }

  RemitLine line() const {
    return {.source = row_.line,
            .store = text(Column::Store),
            .reference = text(Column::Reference),
            .invoiceDate = date(Column::InvoiceDate),
            .gross = amount(Column::Gross),
            .discount = amount(Column::Discount),
            .paid = amount(Column::Paid)};
  }

 private:
  const Row& row_;
  const ColumnPlaces& places_;
  bool decimalComma_;
};

// Every row naming a check names the same one; the first names it for the file.
void takeCheck(Remittance& r, const RowReader& row, int line, bool first) {
  const std::string number = row.text(Column::CheckNumber);
  const Cents amount = row.amount(Column::CheckAmount);
  const Date date = row.date(Column::CheckDate);
  if (first) {
    r = {.payer = row.text(Column::Payer),
         .checkNumber = number,
         .checkDate = date,
         .checkAmount = amount};
    return;
  }
  if (number.find_first_not_of(" \t") == std::string::npos) return;
  if (number != r.checkNumber || amount != r.checkAmount || !(date == r.checkDate))
    throw RemitError(line, "check " + number + " of " + amountText(amount) +
                               ", where the first line has check " + r.checkNumber + " of " +
                               amountText(r.checkAmount) + ": a file pays one check.");
}

}  // namespace

Remittance readCsv(std::string_view text) {
  const auto headerEnd = text.find('\n');
  const char separator = separatorOf(text.substr(0, headerEnd));
  std::vector<Row> rows = parseRows(text, separator);
  std::erase_if(rows, blankRow);
  if (rows.empty()) throw RemitError(0, "The file is empty.");
  const ColumnPlaces places = placesOf(rows.front());
  Remittance r;
  for (std::size_t i = 1; i < rows.size(); ++i) {
    const Row& row = rows[i];
    if (row.fields.size() != rows.front().fields.size())
      throw RemitError(row.line, std::to_string(row.fields.size()) +
                                     " fields where the header has " +
                                     std::to_string(rows.front().fields.size()) +
                                     " (separated by '" + std::string(1, separator) + "').");
    const RowReader reader(row, places, separator == ';');
    takeCheck(r, reader, row.line, i == 1);
    r.lines.push_back(reader.line());
  }
  if (r.lines.empty()) throw RemitError(rows.front().line, "a header and no lines.");
  return r;
}

}  // namespace corvena::remit
