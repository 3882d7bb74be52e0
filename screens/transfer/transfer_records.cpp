#include "screens/transfer/transfer_records.h"

namespace corvena::transfer {

CORVENA_RECORD_LAYOUT(XHeader, TRANSFER_XHEADER_FIELDS)

}  // namespace corvena::transfer
