#pragma once
// The host's start-up and shutdown services for one screen process: sign-on,
// start parameters, the host error state, registration of the screen and its
// application object, the host shell's presence and the process's end. They act
// on the current HostProcess; tests make their own with replaced services
// (HostProcessScope), so starting the shell, waiting for its login and ending
// the process need no real processes.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/db/record.h"
#include "platform/forms/control.h"
#include "platform/forms/form.h"
#include "platform/signon/sign_on_context.h"
#include "runtime/host/application_object.h"

namespace corvena::host {

// The interface version of this host library.
inline constexpr std::string_view HostLibraryVersion = "00.26";

// Host error states SystemErr reports.
inline constexpr int HostErrNoSignOn = 1;
inline constexpr int HostErrShellNotStarted = 2;
inline constexpr int HostErrNotInitialised = 3;

// Thrown by the test replacement of the process end, so a test sees
// "the process ended" without ending. Deliberately not a std::exception.
struct ProcessEnded {
  int exitCode;
};

struct HostServices {
  std::function<bool()> shellRunning;  // a host shell of this user is running
  std::function<void()> prepareShellStart;
  // Starts a program from a command text; 0 when it started.
  std::function<int(const std::string& command)> startProgram;
  // 1 login ready (signOn is then set), 0 not yet, negative: it never will be.
  std::function<int(std::optional<signon::SignOnContext>& signOn)> loginState;
  std::function<void()> pumpEvents;
  // Runs a program and returns its exit code when it has ended.
  std::function<int(const std::string& command)> runProgramAndWait;
  std::function<void(int exitCode)> endProcess;
  std::string libraryVersion{HostLibraryVersion};
};

// Real processes, the shell's presence file and std::exit.
HostServices defaultHostServices();
// A screen run inside another program (tests, benchmarks) with its sign-on given:
// no shell to start, and ending the process throws ProcessEnded instead.
HostServices inProcessServices();

// Where a form stands on the screen, in twips.
struct FormGeometry {
  double left = 0, top = 0, width = 9600, height = 7200;
};

// The host's registration of the screen, returned by sw_screeninit.
struct ScreenRegistration {
  std::string caption;
  std::shared_ptr<ApplicationObject> application;
};

class HostProcess {
 public:
  explicit HostProcess(HostServices services = defaultHostServices());

  HostServices services;
  // Given on the command line or in the environment; else learnt from the shell.
  std::optional<signon::SignOnContext> signOn;
  std::string program;  // the screen number, "18200"
  std::string commandLine;
  std::vector<std::string> parameters;
  std::size_t nextParameter = 0;
  int systemError = HostErrNotInitialised;
  int sqlType = 0;
  int runtimeLevel = 0;
  std::int32_t startKey = 0;
  double floatLimit = 0;
  int mousePointer = 0;
  int exitCode = 0;
  std::string failure;  // why start-up failed, for the person or the script
  int failureNumber = 0;  // the host's number for it, as a driving caller is told
  int screenTop = 0, screenTopExtra = 0;
  double screenWidth = 28800, screenHeight = 16200;
  forms::Form* mainForm = nullptr;
  std::vector<forms::Form*> subForms;
  std::function<void()> screenExitCallback;
  std::shared_ptr<ScreenRegistration> registration;
  std::map<const forms::Form*, FormGeometry> geometry;
  std::vector<std::string> startedPrograms;  // command texts, in order
};

HostProcess& hostProcess();  // the current one (a process-wide one by default)

class HostProcessScope {
 public:
  explicit HostProcessScope(HostProcess& process);
  ~HostProcessScope();
  HostProcessScope(const HostProcessScope&) = delete;
  HostProcessScope& operator=(const HostProcessScope&) = delete;

 private:
  HostProcess* previous_;
};

// --- start-up ---
void sw_applinit(forms::Form* mainForm, std::int32_t hwnd, const forms::FormDesc& newForm,
                 forms::Control* noControl, std::string_view commandLine,
                 forms::Control*& noControlOut);
int SystemErr();
std::string ApplGetParms();
std::string ApplicVer();
void SetSqlType(int type);
// Opens the sign-on company's database for the current session and fills its
// sign-on records; non-zero (and a message on standard error) when it cannot.
int SqlLogin(std::string_view server, std::string& database, std::string_view user,
             std::string& password, std::string_view options, int flags);
void SetRuntimeLevel(int level);
void SetStartKey(std::int32_t key);
void SetFloatLimit(double limit);
void InitWorkValue(Date& blankDate);

// --- the host shell ---
int IsParentActive();
void PrepareParentStart();
int ExecProg(std::string_view command);
// 1 ready, 0 not yet, negative: the shell ended or never started.
int IsLoginReady();
void DoEvents();
int ExecProgWait(std::string& command);

// --- screen registration and end ---
std::shared_ptr<ScreenRegistration> sw_screeninit(std::string& caption,
                                                  std::shared_ptr<ApplicationObject> app);
void sw_screenexit(std::string& text1, std::string& text2);
void AddressofScreenExit(std::function<void()> callback);
// The host asks the screen to close (the callback registered above).
void RequestScreenExit();
[[noreturn]] void EndProcess();
void LoadFormEx(forms::Form* form, std::int32_t hwnd);

// --- screen metrics and pointer ---
int GetScreenTop();
int GetScreenTopExtra();
double ScreenWidth();
FormGeometry& FormPosition(const forms::Form& form);
void SetScreenMousePointer(int pointer);

}  // namespace corvena::host
