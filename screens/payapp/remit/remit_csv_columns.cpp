#include "screens/payapp/remit/remit_csv_columns.h"

#include <cctype>
#include <map>

namespace corvena::remit {

namespace {

const std::map<std::string, Column, std::less<>>& spellings() {
  static const std::map<std::string, Column, std::less<>> known = [] {
    std::map<std::string, Column, std::less<>> m;
    const auto add = [&m](Column c, std::initializer_list<const char*> names) {
      for (const char* n : names) m.emplace(n, c);
    };
    add(Column::Payer, {"payer", "payerid", "parent", "parentid", "parentcustomer",
                        "nationalaccount", "payername"});
    add(Column::CheckNumber,
        {"checknumber", "checkno", "checknbr", "checknum", "check", "chequenumber", "chequeno",
         "cheque", "paymentnumber", "paymentno", "paymentreference", "paymentref", "checkref"});
    add(Column::CheckDate, {"checkdate", "chequedate", "paymentdate", "datepaid", "paiddate"});
    add(Column::CheckAmount, {"checkamount", "checkamt", "checktotal", "chequeamount",
                              "chequetotal", "paymentamount", "paymenttotal", "totalpayment"});
    add(Column::Store, {"store", "storeid", "storenumber", "storeno", "storenbr", "storename",
                        "customer", "customerid", "customernumber", "customerno", "custid",
                        "customername", "location", "locationid", "branch", "shipto", "site"});
    add(Column::Reference,
        {"invoice",    "invoicenumber", "invoiceno",       "invoicenbr", "invoicenum",
         "invoiceref", "reference",     "referencenumber", "ref",        "refnbr",
         "refno",      "document",      "documentnumber",  "docnbr",     "docno",
         "inv",        "invno",         "invnbr",          "invnumber",  "invoiceid"});
    add(Column::InvoiceDate, {"invoicedate", "documentdate", "docdate", "refdate"});
    add(Column::Gross, {"gross", "grossamount", "invoiceamount", "invoicetotal", "amountinvoiced",
                        "originalamount", "invoiceamt"});
    add(Column::Discount, {"discount", "discountamount", "discountamt", "disc", "discamt",
                           "discounttaken", "disctaken", "disctaken", "cashdiscount"});
    add(Column::Paid,
        {"paid", "paidamount", "amountpaid", "netpaid", "net", "netamount", "payment", "amount"});
    return m;
  }();
  return known;
}

}  // namespace

std::optional<Column> columnNamed(std::string_view heading) {
  std::string key;
  for (char c : heading)
    if (std::isalnum(static_cast<unsigned char>(c)))
      key += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  const auto found = spellings().find(key);
  if (found == spellings().end()) return std::nullopt;
  return found->second;
}

std::string_view columnTitle(Column column) {
  static constexpr std::string_view titles[] = {
      "payer",   "check number", "check date", "check amount", "store",
      "invoice", "invoice date", "gross",      "discount",     "paid"};
  return titles[static_cast<std::size_t>(column)];
}

}  // namespace corvena::remit
