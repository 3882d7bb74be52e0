#include "runtime/run_program.h"

#include "platform/forms/session.h"
#include "runtime/host/host_process.h"
#include "runtime/kelpbas.h"
#include "runtime/text_value.h"

namespace corvena::runtime {

void RunProgramAndWait(std::string& program, std::string& parameters) {
  const long window = forms::session().mainForm().windowHandle();
  std::string command =
      program + ".exe " + Str(4) + TabText + std::to_string(window) + TabText + parameters;
  host::ExecProgWait(command);
}

}  // namespace corvena::runtime
