#include "runtime/app_information.h"
#include "runtime/corvena_vbt_app.h"
#include "runtime/kelpbas.h"

#ifndef CORVENA_TOOLS_NAME
#define CORVENA_TOOLS_NAME "ScreenTools"
#endif

namespace corvena::runtime {

std::string ApplicDeclarationsVersion{InterfaceVersion};
std::int16_t StartMode = 0;
std::int32_t StartKey = 0;
forms::Control* NoControl = nullptr;
std::shared_ptr<CorvenaVBTApp> ScreenApp;
std::shared_ptr<host::ScreenRegistration> ScreenHostObject;
std::string LineBreak;
std::string TabText;
Date BlankDate;
std::string CommandLineText;
RuntimeOptions Runtime = standardRuntime();

RuntimeOptions standardRuntime() {
  return RuntimeOptions{"Software\\Corvena\\" CORVENA_TOOLS_NAME, true};
}

RuntimeOptions transferRuntime() {
  return RuntimeOptions{"Software\\Corvena Software, Inc.\\" CORVENA_TOOLS_NAME, false};
}

void resetRuntimeState() {
  ApplicDeclarationsVersion = std::string(InterfaceVersion);
  StartMode = 0;
  StartKey = 0;
  NoControl = nullptr;
  ScreenApp.reset();
  ScreenHostObject.reset();
  LineBreak.clear();
  TabText.clear();
  BlankDate = Date{};
  CommandLineText.clear();
  Runtime = standardRuntime();
}

const forms::FormDesc& new_form() {
  using forms::ControlClass;
  static const forms::FormDesc desc{
      "new_form",
      "",
      {
          {.cls = ControlClass::Container, .name = "ZEPDesigner1", .visible = false},
          {.cls = ControlClass::Tab, .name = "ZEPNewTab", .visible = false, .index = 0},
          {.cls = ControlClass::Container, .name = "ZEPContainer1", .index = 0},
          {.cls = ControlClass::Frame, .name = "ZEPNewFrame", .visible = false, .index = 0},
      }};
  return desc;
}

std::vector<forms::ControlDesc> customisationArrays() {
  using forms::ControlClass;
  return {
      {.cls = ControlClass::Frame, .name = "ZEPNewFrame", .visible = false, .index = 0},
      {.cls = ControlClass::Tab, .name = "ZEPNewTab", .visible = false, .index = 0},
      {.cls = ControlClass::Container, .name = "ZEPContainer1", .index = 0},
  };
}

}  // namespace corvena::runtime
