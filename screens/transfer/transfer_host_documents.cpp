#include "screens/transfer/transfer_host_documents.h"

#include "runtime/kelpbas.h"
#include "runtime/text_value.h"
#include "screens/transfer/transfer_state.h"

namespace corvena::transfer {

using namespace corvena::host;
using runtime::hostStep;
using runtime::Trim;

namespace {

runtime::HostScreen& screen() {
  auto& t = transfer();
  if (!t.ReleaseScreen)
    throw RuntimeError(runtime::HostObjectErrorBase + 2049, "0 the release's host screen is gone");
  return *t.ReleaseScreen;
}

template <class Value>
void write(std::string_view control, const Value& value) {
  hostStep(TransferErrorReport(), [&] { HostField(screen(), control).ControlValue(value); });
}

std::string property(std::string_view control, std::string_view name) {
  std::string value;
  hostStep(TransferErrorReport(), [&] { value = HostFieldProperty(screen(), control, name); });
  return value;
}

void startNewAt(std::string_view control) {
  const std::string level = property(control, "Level");
  hostStep(TransferErrorReport(), [&] { screen().StartNewAtLevel(level); });
}

}  // namespace

const runtime::HostErrorReport& TransferErrorReport() {
  static const runtime::HostErrorReport report{.skippedCodes = {2105}, .abort = AbortTransfer};
  return report;
}

std::unique_ptr<runtime::HostScreen> StartHostScreen(std::string_view name) {
  std::int16_t iErr = 0;
  std::int32_t lErr = 0;
  auto started = runtime::StartAppAndAutomate(name, iErr, lErr);
  if (!started)
    throw RuntimeError(runtime::HostObjectErrorBase + (iErr ? iErr : 7555),
                       std::to_string(lErr) + " " + std::string(name) + " did not start");
  return started;
}

void StartReleaseScreen() {
  auto& t = transfer();
  hostStep(TransferErrorReport(), [&] { t.ReleaseScreen = StartHostScreen("0801000.exe"); });
  hostStep(TransferErrorReport(), [&] { screen().PrepareScreen(false); });
}

void EnterHeader(const DocumentEntry& entry) {
  startNewAt("crefnbr");
  write("cDocType", entry.type);
  write("cCustID", entry.customer);
  write("corigdocamt", entry.amount);
  write("cDocDesc", entry.description);
  if (Trim(property("cProjectID_Hdr", "BlankErr")) == "True")
    write("cProjectID_Hdr", transfer().NoPostProject);
}

// Taxes the host has switched off are not typed: the host would refuse them.
// The host works the amount out from quantity and unit price; a line whose
// amount is not their product (an amount typed with no quantity) gets it again.
void EnterLine(const DocumentEntry& entry) {
  startNewAt("cunitprice");
  write("cAcct", entry.account);
  write("cCpnyIDTran", entry.company);
  write("cExtRefNbr", entry.extRef);
  write("cqty", entry.qty);
  write("cSub", entry.sub);
  if (property("cProjectID", "Enabled") == "True") {
    write("cProjectID", entry.project);
    write("cTaskID", entry.task);
  }
  if (property("ctaxcat", "Enabled") == "True") {
    write("ctaxcat", entry.taxCat);
    write("ctaxiddflt", entry.taxId);
  }
  write("cTranAmt", entry.lineAmount);
  write("cTranDesc", entry.lineDesc);
  write("cUnitDesc", entry.unitDesc);
  write("cUnitPrice", entry.unitPrice);
  std::string kept;
  hostStep(TransferErrorReport(), [&] { kept = HostField(screen(), "cTranAmt").ControlValue(); });
  if (runtime::Val(kept) != FPRound(entry.lineAmount)) write("cTranAmt", entry.lineAmount);
}

std::string FinishDocument() {
  std::string reference;
  hostStep(TransferErrorReport(), [&] {
    HostField(screen(), "corigdocamt").ControlValue(HostField(screen(), "cdocbal"));
  });
  hostStep(TransferErrorReport(), [&] { screen().SaveScreen(); });
  hostStep(TransferErrorReport(), [&] { reference = Trim(HostField(screen(), "crefnbr").ControlValue()); });
  return reference;
}

void AbortTransfer(std::string_view severity) {
  auto& t = transfer();
  if (severity != "STARTUP" && severity != "NOTFATAL" && severity != "FATAL") return;
  if (severity == "NOTFATAL" && t.ReleaseScreen) {
    try {
      std::int16_t result = 0;
      t.ReleaseScreen->AbandonLevel("Batch", result);
      t.ReleaseScreen->CloseScreen();
    } catch (const RuntimeError&) {
      // The screen is given up on either way.
    }
  }
  t.ReleaseScreen.reset();
  Status(StatusClose, 0, "", 0);
}

}  // namespace corvena::transfer
