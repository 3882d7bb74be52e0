#include "screens/payapp/payapp_records.h"

namespace corvena::payapp {

CORVENA_RECORD_LAYOUT(XDetail, XDETAIL_FIELDS)
CORVENA_RECORD_LAYOUT(XHeader, XHEADER_FIELDS)

}  // namespace corvena::payapp
