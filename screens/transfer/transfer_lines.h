#pragma once
// The detail-lines form: the lines of the destination current in the main
// grid, their account, project and amount rules, and the running line total.

#include <string>

namespace corvena::transfer {

// Registers the handlers of the detail-lines form's controls and of the main
// form's "Line Detail" button that opens it.
void registerDetailLineHandlers();

void cmdDetailLines_Click();
int Spread2_LineCheck(int action);
int cAcct_2_ValueCheck(std::string& text);
int cProjectID_2_ValueCheck(std::string& text);
int cQty_2_ValueCheck(std::string& text);
int cUnitPrice_2_ValueCheck(std::string& text);
int cTranAmt_2_ValueCheck(std::string& text);
void cmdOK_Click();
// Inside the save: refuses a changed line whose project account has no project
// or task; the lines' accounts differ, so no one field's state can say it.
int CheckLineProjects();
void cmdCancel_Click();

}  // namespace corvena::transfer
