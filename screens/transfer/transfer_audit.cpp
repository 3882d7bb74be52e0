#include "screens/transfer/transfer_audit.h"

namespace corvena::transfer {

using namespace corvena::host;

std::string ReleaseStamp() {
  const auto& pes = forms::session().pes();
  return ", LUpd_Date = " + DParm(DateToday()) + ", LUpd_Prog = " + SParm(pes.Prog.trimmed()) +
         ", LUpd_User = " + SParm(pes.UserId.trimmed());
}

}  // namespace corvena::transfer
