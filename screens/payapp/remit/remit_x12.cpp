#include "screens/payapp/remit/remit_x12.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "screens/payapp/remit/remit_values.h"

namespace corvena::remit {

namespace {

// The ISA segment is fixed-width: its element separator is its fourth
// character, its segment terminator the one after its 106 characters.
constexpr std::size_t IsaLength = 106;

struct Segment {
  int line = 0;
  std::vector<std::string> elements;

  const std::string& id() const { return elements.front(); }
  std::string at(std::size_t i) const { return i < elements.size() ? elements[i] : std::string(); }
};

// The line a place in the text is on, counted forward as the segments are read.
class LineCounter {
 public:
  explicit LineCounter(std::string_view text) : text_(text) {}
  int at(std::size_t place) {
    line_ += static_cast<int>(std::count(text_.begin() + counted_, text_.begin() + place, '\n'));
    counted_ = place;
    return line_;
  }

 private:
  std::string_view text_;
  std::size_t counted_ = 0;
  int line_ = 1;
};

Segment split(std::string_view body, char separator, int line) {
  Segment s{line, {}};
  for (std::size_t from = 0;;) {
    const auto next = body.find(separator, from);
    s.elements.emplace_back(body.substr(from, next - from));
    if (next == std::string_view::npos) return s;
    from = next + 1;
  }
}

std::vector<Segment> segmentsOf(std::string_view text) {
  constexpr std::string_view blanks = " \t\r\n";
  const auto start = text.find_first_not_of(blanks);
  if (start == std::string_view::npos || text.substr(start, 3) != "ISA" ||
      text.size() < start + IsaLength)
    throw RemitError(1, "an X12 file starts with a whole ISA segment.");
  const char separator = text[start + 3];
  const char terminator = text[start + IsaLength - 1];
  LineCounter lines(text);
  std::vector<Segment> segments;
  for (auto at = text.find_first_not_of(blanks); at != std::string_view::npos;
       at = text.find_first_not_of(blanks, at)) {
    const auto end = text.find(terminator, at);
    if (end == std::string_view::npos)
      throw RemitError(lines.at(at), "the segment " + std::string(text.substr(at, 3)) +
                                         " is not ended by '" + std::string(1, terminator) + "'.");
    segments.push_back(split(text.substr(at, end - at), separator, lines.at(at)));
    at = end + 1;
  }
  return segments;
}

// Two or three capitals and digits, starting with a capital.
bool segmentId(const std::string& id) {
  if (id.size() < 2 || id.size() > 3 || !std::isupper(static_cast<unsigned char>(id[0])))
    return false;
  return std::all_of(id.begin(), id.end(), [](char c) {
    return std::isupper(static_cast<unsigned char>(c)) ||
           std::isdigit(static_cast<unsigned char>(c));
  });
}

class X12Reader {
 public:
  Remittance read(const std::vector<Segment>& segments) {
    for (const auto& s : segments) take(s);
    if (!closed_)
      throw RemitError(lastLine_, "the file ends before its IEA segment: it is cut short.");
    if (!paid_) throw RemitError(lastLine_, "no BPR segment: the file names no payment.");
    if (r_.checkNumber.empty())
      throw RemitError(lastLine_, "no TRN segment: the file names no check.");
    if (r_.lines.empty()) throw RemitError(lastLine_, "no RMR segment: the file pays no invoice.");
    return r_;
  }

 private:
  void take(const Segment& s) {
    lastLine_ = s.line;
    if (!segmentId(s.id()))
      throw RemitError(s.line, "\"" + s.id().substr(0, 12) +
                                   "\" is no segment: are its separators the ones ISA names?");
    if (closed_) throw RemitError(s.line, "a " + s.id() + " segment after IEA.");
    if (inSet_) ++setSegments_;
    const std::string& id = s.id();
    if (id == "ST")
      startSet(s);
    else if (id == "SE")
      endSet(s);
    else if (id == "BPR")
      payment(s);
    else if (id == "TRN")
      r_.checkNumber = s.at(2);
    else if (id == "N1")
      party(s);
    else if (id == "ENT")
      entity(s);
    else if (id == "RMR")
      invoice(s);
    else if (id == "DTM")
      invoiceDate(s);
    else if (id == "IEA")
      closed_ = true;
  }

  void startSet(const Segment& s) {
    if (s.at(1) != "820") throw RemitError(s.line, "transaction set " + s.at(1) + ", not 820.");
    if (sets_++ > 0) throw RemitError(s.line, "a second payment: one check is imported at a time.");
    inSet_ = true;
    setSegments_ = 1;
  }

  void endSet(const Segment& s) {
    if (s.at(1) != std::to_string(setSegments_))
      throw RemitError(s.line, "SE counts " + s.at(1) + " segments where the set has " +
                                   std::to_string(setSegments_) + ": the file is not whole.");
    inSet_ = false;
  }

  void payment(const Segment& s) {
    paid_ = true;
    r_.checkAmount = parseAmount(s.at(2), s.line, "BPR02 amount");
    r_.checkDate = parseDate(s.at(16), s.line, "BPR16 date");
  }

  // A store named by ENT04, or by the N1 of its loop.
  void entity(const Segment& s) {
    entitySeen_ = true;
    store_ = s.at(4);
  }

  // N1*PR names the payer (its ID, else its name).
  void party(const Segment& s) {
    const std::string named = s.at(4).empty() ? s.at(2) : s.at(4);
    if (s.at(1) == "PR")
      r_.payer = named;
    else if (entitySeen_ && store_.empty())
      store_ = named;
  }

  void invoice(const Segment& s) {
    if (s.at(1) != "IV")
      throw RemitError(s.line, "RMR qualifier " + s.at(1) + ": only invoices (IV) are read.");
    r_.lines.push_back(
        {.source = s.line,
         .store = store_,
         .reference = s.at(2),
         .gross = s.at(5).empty() ? 0 : parseAmount(s.at(5), s.line, "RMR05 invoiced"),
         .discount = s.at(6).empty() ? 0 : parseAmount(s.at(6), s.line, "RMR06 discount"),
         .paid = parseAmount(s.at(4), s.line, "RMR04 paid")});
  }

  // DTM*003 after an RMR: the invoice's date.
  void invoiceDate(const Segment& s) {
    if (s.at(1) == "003" && !r_.lines.empty())
      r_.lines.back().invoiceDate = parseDate(s.at(2), s.line, "DTM02 date");
  }

  Remittance r_;
  std::string store_;
  bool entitySeen_ = false;
  bool paid_ = false;
  bool closed_ = false;
  bool inSet_ = false;
  int sets_ = 0;
  int setSegments_ = 0;
  int lastLine_ = 1;
};

}  // namespace

Remittance readX12(std::string_view text) {
  return X12Reader().read(segmentsOf(text));
}

}  // namespace corvena::remit
