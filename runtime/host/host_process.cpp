#include "runtime/host/host_process.h"

#include <cstdlib>

namespace corvena::host {

namespace {

HostProcess& processWide() {
  static HostProcess process;
  return process;
}

HostProcess* current = nullptr;

std::string trimmed(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return std::string(s);
}

// The host separates start parameters by tabs; a command line without a tab by blanks.
std::vector<std::string> splitParameters(std::string_view line) {
  std::vector<std::string> out;
  const bool tabs = line.find('\t') != std::string_view::npos;
  const char separator = tabs ? '\t' : ' ';
  while (!line.empty()) {
    const auto end = line.find(separator);
    auto word = trimmed(line.substr(0, end));
    if (!word.empty() || tabs) out.push_back(std::move(word));
    if (end == std::string_view::npos) break;
    line.remove_prefix(end + 1);
  }
  while (!out.empty() && out.back().empty()) out.pop_back();
  if (tabs && !out.empty() && out.front().empty()) out.erase(out.begin());
  return out;
}

constexpr const char* NoSignOnText =
    "No sign-on: start this screen from the host shell, or give the sign-on context with "
    "--db PATH --user ID --company ID [--date YYYY-MM-DD] (or CORVENA_DB, CORVENA_USER, "
    "CORVENA_COMPANY, CORVENA_DATE).";

}  // namespace

HostProcess::HostProcess(HostServices s) : services(std::move(s)) {}

HostProcess& hostProcess() {
  return current ? *current : processWide();
}

HostProcessScope::HostProcessScope(HostProcess& process) : previous_(current) {
  current = &process;
}

HostProcessScope::~HostProcessScope() {
  current = previous_;
}

void sw_applinit(forms::Form* mainForm, std::int32_t, const forms::FormDesc&,
                 forms::Control* noControl, std::string_view commandLine,
                 forms::Control*& noControlOut) {
  auto& hp = hostProcess();
  hp.mainForm = mainForm;
  hp.commandLine = std::string(commandLine);
  hp.parameters = splitParameters(commandLine);
  hp.nextParameter = 0;
  noControlOut = noControl;
  if (hp.systemError == HostErrShellNotStarted) return;
  if (!hp.signOn) {
    hp.systemError = HostErrNoSignOn;
    hp.failure = NoSignOnText;
    return;
  }
  hp.systemError = 0;
}

int SystemErr() {
  return hostProcess().systemError;
}

std::string ApplGetParms() {
  auto& hp = hostProcess();
  if (hp.nextParameter >= hp.parameters.size()) return {};
  return hp.parameters[hp.nextParameter++];
}

std::string ApplicVer() {
  return hostProcess().services.libraryVersion;
}

void SetSqlType(int type) {
  hostProcess().sqlType = type;
}

void SetRuntimeLevel(int level) {
  hostProcess().runtimeLevel = level;
}

void SetStartKey(std::int32_t key) {
  hostProcess().startKey = key;
}

void SetFloatLimit(double limit) {
  hostProcess().floatLimit = limit;
}

void InitWorkValue(Date& blankDate) {
  blankDate = Date::blankDate();
}

int IsParentActive() {
  auto& hp = hostProcess();
  return hp.signOn || hp.services.shellRunning() ? 1 : 0;
}

void PrepareParentStart() {
  hostProcess().services.prepareShellStart();
}

int ExecProg(std::string_view command) {
  auto& hp = hostProcess();
  hp.startedPrograms.emplace_back(command);
  return hp.services.startProgram(std::string(command));
}

int IsLoginReady() {
  auto& hp = hostProcess();
  if (hp.signOn) return 1;
  const int state = hp.services.loginState(hp.signOn);
  if (state < 0) {
    hp.systemError = HostErrShellNotStarted;
    hp.failure = std::string("The host shell could not be started or ended before its login. ") +
                 NoSignOnText;
  }
  return state;
}

void DoEvents() {
  hostProcess().services.pumpEvents();
}

// The program runs in this screen's sign-on context, handed on as the
// environment a screen started alone signs on from.
int ExecProgWait(std::string& command) {
  auto& hp = hostProcess();
  hp.startedPrograms.push_back(command);
  if (hp.signOn) {
    ::setenv("CORVENA_DB", hp.signOn->database.c_str(), 1);
    ::setenv("CORVENA_USER", hp.signOn->user.c_str(), 1);
    ::setenv("CORVENA_COMPANY", hp.signOn->company.c_str(), 1);
    ::setenv("CORVENA_DATE", hp.signOn->businessDate.iso().c_str(), 1);
  }
  return hp.services.runProgramAndWait(command);
}

std::shared_ptr<ScreenRegistration> sw_screeninit(std::string& caption,
                                                  std::shared_ptr<ApplicationObject> app) {
  auto& hp = hostProcess();
  hp.registration =
      std::make_shared<ScreenRegistration>(ScreenRegistration{caption, std::move(app)});
  return hp.registration;
}

void sw_screenexit(std::string&, std::string&) {
  auto& hp = hostProcess();
  hp.registration.reset();
  hp.screenExitCallback = nullptr;
}

void AddressofScreenExit(std::function<void()> callback) {
  hostProcess().screenExitCallback = std::move(callback);
}

void RequestScreenExit() {
  auto callback = hostProcess().screenExitCallback;
  if (callback) callback();
}

void EndProcess() {
  auto& hp = hostProcess();
  hp.services.endProcess(hp.exitCode);
  std::exit(hp.exitCode);
}

void LoadFormEx(forms::Form* form, std::int32_t) {
  if (form) hostProcess().subForms.push_back(form);
}

int GetScreenTop() {
  return hostProcess().screenTop;
}

int GetScreenTopExtra() {
  return hostProcess().screenTopExtra;
}

double ScreenWidth() {
  return hostProcess().screenWidth;
}

FormGeometry& FormPosition(const forms::Form& form) {
  return hostProcess().geometry[&form];
}

void SetScreenMousePointer(int pointer) {
  hostProcess().mousePointer = pointer;
}

}  // namespace corvena::host
