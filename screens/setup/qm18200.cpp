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

std::map<const forms::Session*, std::unique_ptr<QM18200>>& screens() {
  static std::map<const forms::Session*, std::unique_ptr<QM18200>> all;
  return all;
}

}  // namespace

QM18200& registerHandlers(forms::Form& Form1) {
  auto& slot = screens()[&Form1.session()];
  slot = std::make_unique<QM18200>(Form1);
  return *slot;
}

QM18200::QM18200(forms::Form& form) {
  form.onLoad([this] { Form_Load(); });
  form.onUnload([this] { Form_Unload(); });
  form.control("Update1").onCancelRequested([this] { return Update1_CancelRequested(); });
  form.control("cLastNABatNbr").onValueCheck([this](std::string& s) {
    return cLastNABatNbr_ValueCheck(s);
  });
}

void QM18200::Form_Load() {
  RuntimeInit();
  SetAddr(0, "bXNASETUP", bXNASetup, nXNASetup, sizeof(bXNASetup));
  SqlCursorEx(CSR_XNASETUP, 0, "CSR_XNASETUP", "xnasetup", "xnasetup");
  ScreenInit();
  readSetup();
}

// An empty table leaves the fields empty; saving then creates the row.
void QM18200::readSetup() {
  SqlFetch1(CSR_XNASETUP, "SELECT  * FROM XNASetup", bXNASetup, 448);
  DispFields(nullptr, NoControl, NoControl);
}

int QM18200::Update1_CancelRequested() {
  readSetup();
  return 0;
}

// Numbering continues from this number: anything but digits, or the last
// number the ten-character batch number holds, would stop it.
int QM18200::cLastNABatNbr_ValueCheck(std::string& ChkStrg) {
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

void QM18200::Form_Unload() {
  std::string text1, text2;
  ScreenExit(text1, text2);
}

}  // namespace corvena::qm18200
