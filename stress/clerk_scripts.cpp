#include "stress/clerk_scripts.h"

#include <cstdio>

namespace corvena::stress {

namespace {

std::string line(const std::string& text) {
  return text + "\n";
}

std::string paymentHeader(const std::string& ref, const std::string& amount) {
  return line("new 0") + line("set cCustId " + std::string(kParent)) +
         line("set cNARefNbr " + ref) + line("set cOrigDocAmt " + amount);
}

// Random bytes for one line: any but the line's end and NUL.
std::string noise(Random& rnd, int length) {
  std::string out;
  for (int i = 0; i < length; ++i) {
    char c = static_cast<char>(rnd.upTo(255));
    out += c == '\n' ? ' ' : c;
  }
  return out;
}

}  // namespace

std::string Random::amount(int units) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", upTo(units * 100) / 100.0);
  return text;
}

std::string quoted(const std::string& value) {
  std::string out = "\"";
  for (char c : value) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  return out + "\"";
}

static std::string pickedLines(Random& rnd, int picks, int window) {
  std::string s;
  for (int i = 0; i < picks; ++i) {
    s += line("line Spread1 " + std::to_string(rnd.upTo(window)));
    s += rnd.chance(50) ? line("click cbAutoApply") : line("set cCuryApplAmt " + rnd.amount(300));
  }
  return s + line("save");
}

std::string paymentScript(Random& rnd, const std::string& ref, int picks, int window) {
  return paymentHeader(ref, "5000") + pickedLines(rnd, picks, window);
}

std::string partPaymentScript(const std::string& ref, int lineNumber, const std::string& amount) {
  return paymentHeader(ref, "100") + line("line Spread1 " + std::to_string(lineNumber)) +
         line("set cCuryApplAmt " + amount) + line("save");
}

std::string parentCreditScript(const std::string& ref, const std::string& amount) {
  return line("set cbathandling \"Release Now\"") + line("set cctrltot " + amount) +
         line("set cDocType CM") + line("set cRefNbr " + ref) +
         line("set cCustID " + std::string(kParent)) + line("set cOrigDocAmt " + amount) +
         line("set cProjectID_Hdr STORE-REFIT") +
         line("line Spread1 new") + line("set cAcct 4000") + line("set cTranAmt " + amount) +
         line("save") + line("new 0");
}

std::string transferScript(const std::string& creditRef, const std::string& half,
                           const std::string& child1, const std::string& child2) {
  std::string s = line("set cSrcCustId " + std::string(kParent)) + line("set cSrcRefNbr " + creditRef);
  for (const auto& child : {child1, child2})
    s += line("line Spread1 new") + line("set cDestCustID " + child) + line("set cDestAmt " + half) +
         line("click cmdDetailLines") + line("line Spread2 new") + line("set cTranAmt_2 " + half) +
         line("click cmdOK");
  return s + line("set cBatchHandling R") + line("save") + line("show cStatus");
}

std::string creditPaymentScript(Random& rnd, const std::string& creditRef, int picks, int window) {
  return line("new 0") + line("set cCustId " + std::string(kParent)) + line("set cType CM") +
         line("set cCMRefNbr " + creditRef) + pickedLines(rnd, picks, window);
}

std::string largePaymentScript(const std::string& ref, int lines) {
  std::string s = paymentHeader(ref, "99999999");
  for (int i = 1; i <= lines; ++i)
    s += line("line Spread1 " + std::to_string(i)) + line("click cbAutoApply");
  return s + line("save");
}

std::string lineEditScript(Random& rnd, const std::string& batch, int window) {
  std::string s = line("cancel") + line("set cNABatNbr " + batch);
  if (rnd.chance(10)) return s + line("delete 0");
  s += line("line Spread1 " + std::to_string(rnd.upTo(window)));
  return s + line("set cCuryApplAmt " + rnd.amount(200)) + line("save");
}

std::string deleteScript(const std::string& batch) {
  return line("set cNABatNbr " + batch) + line("delete 0");
}

std::string releaseScript(const std::string& batch) {
  return line("set cNABatNbr " + batch) + line("set cBatchHandling R") + line("save") +
         line("show cStatus");
}

std::string reverseScript(const std::string& batch) {
  return line("set cNABatNbr " + batch) + line("click cmdReverse") +
         line("set cRevReason " + quoted("Returned check")) + line("click cmdReverseOK") +
         line("show cStatus");
}

const std::vector<std::string>& hostileValues() {
  static const std::vector<std::string> values{
      "'",           "' or '1'='1",  "x'; DROP TABLE XNAHeader; --", "%",      "_",
      "-1",          "1e309",        "-1e309",                        "NaN",    "inf",
      "0.005",       "1e-09",        std::string(400, '9'),           "-0",     "\x01\x02\x1b",
      "\xff\xfe",    "\xc3\x28",     "\t \t",                         "\\",     "\"",
      "999999",      "202699",       std::string(30000, '7'),         "\xef\xbc\xb8"};
  return values;
}

std::string hostileScript(const std::vector<std::string>& fields, const std::string& value,
                          const std::string& prelude) {
  std::string s = prelude;
  for (const auto& field : fields) s += line("set " + field + " " + quoted(value));
  return s + line("save");
}

std::string fuzzScript(Random& rnd, const std::vector<std::string>& controls, int lines) {
  static const char* commands[] = {"save",   "cancel",   "new 0",    "delete 0", "delete 1",
                                   "next 0", "first 0",  "prev 1",   "answer yes",
                                   "answer no", "line Spread1 new"};
  std::string s;
  for (int i = 0; i < lines; ++i) {
    const std::string& control = controls[rnd.upTo(static_cast<int>(controls.size())) - 1];
    switch (rnd.upTo(6)) {
      case 1:
        s += line(commands[rnd.upTo(std::size(commands)) - 1]);
        break;
      case 2:
        s += line(noise(rnd, rnd.upTo(80)));
        break;
      case 3:
        s += line("click " + control);
        break;
      case 4:
        s += line("line Spread1 " + std::to_string(rnd.upTo(40)));
        break;
      default:
        s += line("set " + control + " " + quoted(noise(rnd, rnd.upTo(24))));
    }
  }
  return s;
}

}  // namespace corvena::stress
