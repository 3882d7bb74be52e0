#include "runtime/host_batch_state.h"

namespace corvena::runtime {

using namespace corvena::host;

bool HostBatchReleased(Cursor& cursor, const std::string& hostBatch) {
  double released = 0;
  Sql(cursor, "select count(*) from Batch where Module = 'AR' and Rlsed = 1 and BatNbr = " +
                  SParm(hostBatch));
  SGroupFetch1(cursor, released, 8);
  return released > 0;
}

}  // namespace corvena::runtime
