#pragma once
// The destination grid's new lines and Apply, which opens the host's payment
// application on a released destination's credit memo.

namespace corvena::transfer {

int Spread1_LineChange(int action);
void cmdApply_Click();

}  // namespace corvena::transfer
