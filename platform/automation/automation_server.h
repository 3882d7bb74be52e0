#pragma once
// The driven side of screen automation: a screen program started with
// --automate greets its caller, then carries out each request line through the
// script driver (the same path as a person's typing) and answers it before
// reading the next, until its standard input ends or it is handed over.

#include <istream>
#include <memory>
#include <ostream>
#include <string_view>

#include "platform/automation/script_driver.h"

namespace corvena::automation {

enum class Served { Ended, HandedOver };
// HandedOver: the caller gave the screen to the clerk and sends nothing more.
Served serveRequests(ScriptDriver& driver, std::istream& in, std::ostream& out);

// The wire is standard output as the process got it; from here on anything
// else the process prints to standard output goes to standard error instead.
std::unique_ptr<std::ostream> takeStandardOutputForWire();

// Where a driven screen's script output goes: nowhere, its caller reads answers.
std::ostream& discardedOutput();

}  // namespace corvena::automation
