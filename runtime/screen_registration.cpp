#include "platform/forms/session.h"
#include "runtime/corvena_vbt_app.h"
#include "runtime/host/host_process.h"
#include "runtime/kelpbas.h"

namespace corvena::runtime {

void ScreenInit() {
  if (host::SystemErr() != 0) return;
  auto& main = forms::session().mainForm();
  std::string caption = main.caption();
  CenterForm(main);
  ScreenApp = std::make_shared<CorvenaVBTApp>(forms::session());
  ScreenHostObject = host::sw_screeninit(caption, ScreenApp);
  if (host::SystemErr() == 0) SetMousePointer(PointerDefault);
}

void ScreenExit(std::string& text1, std::string& text2) {
  ScreenApp.reset();
  ScreenHostObject.reset();
  host::sw_screenexit(text1, text2);
  host::EndProcess();
}

void OnScreenExit() {
  auto& session = forms::session();
  session.unloadForm(session.mainForm());
}

}  // namespace corvena::runtime
