#include <functional>

#include "platform/forms/session.h"
#include "runtime/app_information.h"
#include "runtime/host/kelpapi.h"
#include "runtime/kelpbas.h"
#include "runtime/registry_value.h"
#include "runtime/text_value.h"

namespace corvena::runtime {

namespace {

constexpr double FloatLimit = 3.402823E+38;
constexpr int HostMessageVersion = 5010;
constexpr const char* DeclarationsMismatch =
    "Version number in APPLIC is not the same as the version number in KELP";

// Start-up skips a statement that raises a run-time error and goes on with the
// next; any other fault is no part of start-up's plan and ends the program.
void step(const std::function<void()>& statement) {
  try {
    statement();
  } catch (const forms::RuntimeError&) {
  }
}

void rootHelpFile() {
  std::string parent =
      ReadRegistryValue(HKEY_LOCAL_MACHINE, Runtime.toolsKey, "ParentDirectory", "");
  if (parent.empty() || parent.back() != '\\') parent += '\\';
  App().HelpFile = parent + "help\\" + App().HelpFile;
}

void readStartParameters() {
  step([] { StartMode = ValInt16(host::ApplGetParms()); });
  if (StartMode == 4 || StartMode == 5) {
    step([] { StartKey = ValInt32(host::ApplGetParms()); });
    step([] { host::SetStartKey(StartKey); });
  }
}

void bindSignOnRecords() {
  auto& session = forms::session();
  step([&] { host::SetAddr(15, "bpes", session.pes()); });
  step([&] { host::SetAddr(15, "bcuryinfo", session.curyInfo()); });
}

void stampSignOnRecord() {
  auto& session = forms::session();
  step([&] { session.pes().ScrnTitle = session.mainForm().caption(); });
  session.pes().StartMode5 = StartMode == 5 ? 1 : 0;
}

// Steps 1 to 9: the help file, the host connection and the host shell.
void connectToHost() {
  step(rootHelpFile);
  step([] {
    if (HasRetainedProject()) host::SetRuntimeLevel(6);
  });
  step([] { SetMousePointer(PointerHourglass); });
  step([] { host::AddressofScreenExit(OnScreenExit); });
  forms::Form* main = nullptr;
  step([&] {
    main = &forms::session().mainForm();
    NoControl = main->find("Update1");
  });
  step(StartParent);
  step([&] {
    host::sw_applinit(main, main ? static_cast<std::int32_t>(main->windowHandle()) : 0, new_form(),
                      NoControl, CommandLineText, NoControl);
  });
}

}  // namespace

void RuntimeInit() {
  connectToHost();
  if (host::SystemErr() != 0) return;
  readStartParameters();
  step(SqlConnect);
  bindSignOnRecords();
  if (host::SystemErr() != 0) return;
  stampSignOnRecord();
  if (host::ApplicVer() != InterfaceVersion) {
    step([] { host::Mess(HostMessageVersion); });
    return;
  }
  if (ApplicDeclarationsVersion != InterfaceVersion) {
    step([] { host::MessText(DeclarationsMismatch, "", "", ""); });
    return;
  }
  step([] { host::SetFloatLimit(FloatLimit); });
  step([] { host::InitWorkValue(BlankDate); });
  if (host::SystemErr() != 0) return;
  LineBreak = "\r\n";
  TabText = "\t";
}

void StartParent() {
  if (host::IsParentActive() == 0) {
    host::PrepareParentStart();
    host::ExecProg(std::string("PARENT.EXE") + " " + Str(2));
  }
  for (;;) {
    const int ready = host::IsLoginReady();
    if (ready == 1) return;
    // The shell ended or could not start: no login will come.
    if (ready < 0) return;
    host::DoEvents();
  }
}

void SqlConnect() {
  host::SetSqlType(99);
  std::string database, password;
  if (host::SqlLogin("", database, "", password, "", 0) != 0) {
    std::string text1, text2;
    ScreenExit(text1, text2);
  }
}

bool HasRetainedProject() {
  try {
    App().property("RetainedProject");
    return true;
  } catch (const forms::RuntimeError&) {
    return false;
  }
}

}  // namespace corvena::runtime
