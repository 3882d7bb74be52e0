#include "screens/setup/qm18200.h"

#include <map>
#include <memory>
#include <string>

#include "runtime/kelpbas.h"
#include "runtime/text_value.h"

namespace corvena::qm18200 {

using namespace corvena::host;
using namespace corvena::runtime;

namespace {

// Screens of one process each have their own session (tests run several).
std::map<const forms::Session*, std::unique_ptr<QM18200>>& instances() {
  static std::map<const forms::Session*, std::unique_ptr<QM18200>> all;
  return all;
}

// An empty table leaves the fields empty; saving then creates the row.
void readSetup() {
  auto& s = qm18200();
  SqlFetch1(s.CSR_XNASETUP, "SELECT  * FROM XNASetup", s.bXNASetup, 448);
  DispFields(nullptr, NoControl, NoControl);
}

void Form_Load() {
  auto& s = qm18200();
  RuntimeInit();
  SetAddr(0, "bXNASETUP", s.bXNASetup, s.nXNASetup, sizeof(s.bXNASetup));
  SqlCursorEx(s.CSR_XNASETUP, 0, "CSR_XNASETUP", "xnasetup", "xnasetup");
  ScreenInit();
  readSetup();
}

void Form_Unload() {
  std::string text1, text2;
  ScreenExit(text1, text2);
}

int Update1_CancelRequested() {
  readSetup();
  return 0;
}

// Numbering continues from this number: anything but digits, or the last
// number the ten-character batch number holds, would stop it.
int cLastNABatNbr_ValueCheck(std::string& ChkStrg) {
  constexpr std::size_t Width = 10;
  const std::string digits = Trim(ChkStrg);
  if (digits.empty()) return 0;
  const bool allDigits = digits.find_first_not_of("0123456789") == std::string::npos;
  if (!allDigits || digits.size() > Width || digits == std::string(Width, '9')) {
    MessBox(
        "The Last NA Batch Number must be up to 10 digits, below 9999999999, so that the "
        "next batch can be numbered.",
        StyleWarning, "Warning");
    return SilentRefusal;
  }
  return 0;
}

}  // namespace

void registerHandlers(forms::Form& Form1) {
  instances()[&Form1.session()] = std::make_unique<QM18200>();
  Form1.onLoad(Form_Load);
  Form1.onUnload(Form_Unload);
  Form1.control("Update1").onCancelRequested(Update1_CancelRequested);
  Form1.control("cLastNABatNbr").onValueCheck(cLastNABatNbr_ValueCheck);
}

QM18200& qm18200() {
  const auto it = instances().find(&forms::session());
  if (it == instances().end())
    throw forms::RuntimeError(forms::kErrBadHandle, "The setup screen is not loaded");
  return *it->second;
}

}  // namespace corvena::qm18200
