#include "screens/transfer/transfer_audit.h"

#include "runtime/host/kelpapi.h"

namespace corvena::transfer {

using namespace corvena::host;

std::string ReleaseStamp() {
  const db::AuditStamp by = SignedOnStamp();
  return ", LUpd_Date = " + DParm(by.date) + ", LUpd_Prog = " + SParm(by.program) +
         ", LUpd_User = " + SParm(by.user);
}

}  // namespace corvena::transfer
