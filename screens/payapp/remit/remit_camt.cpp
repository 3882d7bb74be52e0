#include "screens/payapp/remit/remit_camt.h"

#include <QXmlStreamReader>
#include <algorithm>
#include <vector>

#include "screens/payapp/remit/remit_values.h"

namespace corvena::remit {

namespace {

class CamtReader {
 public:
  explicit CamtReader(std::string_view text)
      : xml_(QByteArray(text.data(), static_cast<qsizetype>(text.size()))) {}

  Remittance read() {
    while (!xml_.atEnd()) {
      switch (xml_.readNext()) {
        case QXmlStreamReader::StartElement:
          start(xml_.name().toString().toStdString());
          break;
        case QXmlStreamReader::EndElement:
          end();
          break;
        case QXmlStreamReader::Characters:
          if (!xml_.isWhitespace()) value(xml_.text().toString().trimmed().toStdString());
          break;
        default:
          break;
      }
    }
    if (xml_.hasError()) {
      QString why = xml_.errorString();
      if (!why.endsWith('.')) why += '.';
      throw RemitError(line(), "the XML is broken: " + why.toStdString());
    }
    return finished();
  }

 private:
  int line() const { return static_cast<int>(xml_.lineNumber()); }

  bool within(std::string_view name) const {
    return std::find(path_.begin(), path_.end(), name) != path_.end();
  }
  // The element and its parent, "RfrdDocAmt/RmtdAmt".
  std::string last2() const {
    return path_.size() < 2 ? std::string() : path_[path_.size() - 2] + "/" + path_.back();
  }

  void start(std::string name) {
    if (name == "Ntry") entry_ = Entry{.line = line()};
    if (name == "TxDtls") transaction_ = Transaction{.firstLine = entry_.r.lines.size()};
    if (name == "Strd") entry_.r.lines.push_back({.source = line()});
    path_.push_back(std::move(name));
  }

  void end() {
    if (path_.back() == "TxDtls") nameStores();
    if (path_.back() == "Ntry" && entry_.remitted()) takeEntry();
    path_.pop_back();
  }

  void value(const std::string& text) {
    if (!within("Ntry")) return;
    const std::string key = last2();
    if (within("UltmtDbtr")) return store(key, text);
    if (within("Dbtr") && (path_.back() == "Nm" || key == "Othr/Id")) return payer(key, text);
    if (within("Strd") && !entry_.r.lines.empty()) return document(key, text);
    if (key == "Ntry/Amt") entry_.r.checkAmount = parseAmount(text, line(), "entry amount");
    if (key == "BookgDt/Dt" || key == "BookgDt/DtTm")
      entry_.r.checkDate = parseDate(text.substr(0, 10), line(), "booking date");
    if (key == "Refs/ChqNb") entry_.r.checkNumber = text;
  }

  void store(const std::string& key, const std::string& text) {
    if (key == "Othr/Id") transaction_.storeId = text;
    if (path_.back() == "Nm") transaction_.storeName = text;
  }

  void payer(const std::string& key, const std::string& text) {
    if (key == "Othr/Id")
      entry_.payerId = text;
    else
      entry_.payerName = text;
  }

  void document(const std::string& key, const std::string& text) {
    RemitLine& l = entry_.r.lines.back();
    if (key == "RfrdDocInf/Nb") l.reference = text;
    if (key == "RfrdDocInf/RltdDt") l.invoiceDate = parseDate(text, line(), "document date");
    if (key == "RfrdDocAmt/RmtdAmt") l.paid = parseAmount(text, line(), "amount remitted");
    if (key == "RfrdDocAmt/DuePyblAmt") l.gross = parseAmount(text, line(), "amount due");
    if (key == "RfrdDocAmt/DscntApldAmt" || key == "DscntApldAmt/Amt")
      l.discount = parseAmount(text, line(), "discount applied");
  }

  // The ultimate debtor names the store of every document of its transaction: by ID when it has
  // one.
  void nameStores() {
    const std::string& store =
        transaction_.storeId.empty() ? transaction_.storeName : transaction_.storeId;
    for (auto i = transaction_.firstLine; i < entry_.r.lines.size(); ++i)
      entry_.r.lines[i].store = store;
  }

  void takeEntry() {
    if (found_)
      throw RemitError(entry_.line, "a second check (entry): one check is imported at a time.");
    found_ = true;
    entry_.r.payer = entry_.payerId.empty() ? entry_.payerName : entry_.payerId;
    result_ = entry_.r;
  }

  Remittance finished() const {
    if (!found_) throw RemitError(0, "The file has no entry with structured remittance.");
    if (result_.checkNumber.empty())
      throw RemitError(0, "The entry names no check number (Refs/ChqNb).");
    return result_;
  }

  struct Entry {
    int line = 0;
    Remittance r;
    std::string payerId, payerName;
    bool remitted() const { return !r.lines.empty(); }
  };
  struct Transaction {
    std::size_t firstLine = 0;
    std::string storeId, storeName;
  };

  QXmlStreamReader xml_;
  std::vector<std::string> path_;
  Entry entry_;
  Transaction transaction_;
  Remittance result_;
  bool found_ = false;
};

}  // namespace

Remittance readCamt(std::string_view text) {
  return CamtReader(text).read();
}

}  // namespace corvena::remit
