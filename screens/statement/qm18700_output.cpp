// The statement leaves the screen: a PDF or CSV file (the file named on the
// screen, or asked for at a desk), a print preview, a printer.
#include <filesystem>
#include <fstream>

#include "runtime/kelpbas.h"
#include "screens/statement/qm18700.h"
#include "screens/statement/statement_csv.h"
#include "screens/statement/statement_desk.h"

namespace corvena::qm18700 {

using namespace corvena::host;

namespace {

statement::Paper paper() {
  return qm18700().bxstmt.paper.trimmed() == "LETTER" ? statement::Paper::Letter
                                                      : statement::Paper::A4;
}

// The file to write: the one on the screen, else the one the person names.
std::string outputFile(const char* caption, const char* filter) {
  std::string path = qm18700().bxstmt.outfile.trimmed();
  if (path.empty()) path = statement::chooseSaveFile(caption, filter);
  if (path.empty() && !statement::atDesk())
    MessBox("File must be filled in.", StyleWarning, "System Message");
  return path;
}

bool writeFile(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
  out.close();
  if (!out) MessBox("The CSV file " + path + " cannot be written.", StyleWarning, "Error");
  return static_cast<bool>(out);
}

void written(const std::string& path, std::size_t statements, const char* besides = "") {
  MessBox(std::to_string(statements) + (statements == 1 ? " statement" : " statements") +
              " written to " + path + besides + ".",
          StylePlain, "National Accounts");
}

// Paper is drawn in Qt's own dialogs, open only in a window.
void toPaper(const char* what,
             void (*show)(const std::vector<statement::Statement>&, statement::Paper)) {
  if (!statement::atDesk()) {
    MessBox(std::string(what) + " needs the screen in a window; write a PDF instead.", StyleWarning,
            "System Message");
    return;
  }
  const auto statements = selectedStatements();
  if (!statements.empty()) show(statements, paper());
}

}  // namespace

std::string remittancePath(const std::string& statementPath, const std::string& parent) {
  std::filesystem::path p(statementPath);
  return p.replace_filename(p.stem().string() + "-" + parent + "-remittance.csv").string();
}

void cmdPdf_Click() {
  const auto statements = selectedStatements();
  if (statements.empty()) return;
  const std::string path = outputFile("Write the statement as PDF", "PDF files (*.pdf)");
  if (path.empty()) return;
  std::string why;
  if (!statement::writePdf(statements, path, paper(), why)) {
    MessBox(why, StyleWarning, "Error");
    return;
  }
  written(path, statements.size());
}

// The statements in the file named, each account's remittance beside it.
void cmdCsv_Click() {
  const auto statements = selectedStatements();
  if (statements.empty()) return;
  const std::string path = outputFile("Write the statement as CSV", "CSV files (*.csv)");
  if (path.empty() || !writeFile(path, statement::statementCsv(statements))) return;
  for (const auto& s : statements)
    if (!writeFile(remittancePath(path, s.parentId), statement::remittanceCsv(s))) return;
  written(path, statements.size(), ", each account's remittance beside it");
}

void cmdPreview_Click() {
  toPaper("Print preview", statement::previewStatements);
}

void cmdPrint_Click() {
  toPaper("Printing", statement::printStatements);
}

}  // namespace corvena::qm18700
