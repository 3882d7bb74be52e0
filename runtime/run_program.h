#pragma once
// Running another host program with this screen's context and waiting for it.

#include <string>

namespace corvena::runtime {

// Runs "<program>.exe  4<tab><main window><tab><parameters>" and returns when it
// has ended. The host may write the command text back into `parameters`' place.
void RunProgramAndWait(std::string& program, std::string& parameters);

}  // namespace corvena::runtime
