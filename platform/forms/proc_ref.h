#pragma once
// A procedure reference as a pv or dbnav property holds it:
//   account_all
//   "xNAHeader_all", "bpes.cpnyid"; 0; 0; 0; 0,
//   "Proc", "bXNAHeader.CustID"; 0; 0; 0; 0, CM; 0; 127; 0; 0,
// The first item names the procedure; each further comma-separated group
// starts with a quoted "buffer.field" (its value is passed) or a literal,
// unquoted or a quoted text without a dot ("%"), passed as it stands; the
// numbers after it are kept, not used.

#include <string>
#include <string_view>
#include <vector>

namespace corvena::forms {

struct ProcArg {
  bool isField = false;
  std::string text;  // "buffer.field" or the literal
};

struct ProcRef {
  std::string procedure;
  std::vector<ProcArg> args;
  bool empty() const { return procedure.empty(); }
};

ProcRef parseProcRef(std::string_view text);

}  // namespace corvena::forms
