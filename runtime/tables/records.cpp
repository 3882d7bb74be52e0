#include "runtime/tables/records.h"

namespace corvena {

CORVENA_RECORD_LAYOUT(XNASetup, XNASETUP_FIELDS)
CORVENA_RECORD_LAYOUT(XNACustP, XNACUSTP_FIELDS)
CORVENA_RECORD_LAYOUT(XNACustS, XNACUSTS_FIELDS)
CORVENA_RECORD_LAYOUT(XVNACustomers_ALL, XVNACUSTOMERS_ALL_FIELDS)
CORVENA_RECORD_LAYOUT(XNAHeader, XNAHEADER_FIELDS)
CORVENA_RECORD_LAYOUT(XNADetail, XNADETAIL_FIELDS)
CORVENA_RECORD_LAYOUT(XNATranHdr, XNATRANHDR_FIELDS)
CORVENA_RECORD_LAYOUT(XNATranDet, XNATRANDET_FIELDS)
CORVENA_RECORD_LAYOUT(XNATranDLn, XNATRANDLN_FIELDS)

const std::vector<const RecordLayout*>& moduleTableLayouts() {
  static const std::vector<const RecordLayout*> all{
      &XNASetup::layout(),  &XNACustP::layout(),   &XNACustS::layout(),   &XNAHeader::layout(),
      &XNADetail::layout(), &XNATranHdr::layout(), &XNATranDet::layout(), &XNATranDLn::layout()};
  return all;
}

}  // namespace corvena
