#include "runtime/run_program.h"

#include <gtest/gtest.h>

#include "platform/forms/session.h"
#include "runtime/kelpbas.h"

namespace corvena::runtime {
namespace {

TEST(RunProgramAndWait, BuildsTheHostsCommandText) {
  std::vector<std::string> ran;
  host::HostServices services;
  services.runProgramAndWait = [&](const std::string& command) {
    ran.push_back(command);
    return 0;
  };
  host::HostProcess process(services);
  host::HostProcessScope hostScope(process);
  forms::Session session;
  forms::SessionScope scope(session);
  const auto& main = session.loadForm(forms::FormDesc{"Form1", "Inquiry", {}});
  resetRuntimeState();
  TabText = "\t";
  std::string program = "0325000", parameters = "P1 P2";
  RunProgramAndWait(program, parameters);
  ASSERT_EQ(ran.size(), 1u);
  EXPECT_EQ(ran[0], "0325000.exe  4\t" + std::to_string(main.windowHandle()) + "\tP1 P2");
  resetRuntimeState();
}

}  // namespace
}  // namespace corvena::runtime
