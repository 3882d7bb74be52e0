#include "screens/payapp/remit/remit_read.h"

#include <fstream>
#include <iterator>

#include "screens/payapp/remit/remit_camt.h"
#include "screens/payapp/remit/remit_csv.h"
#include "screens/payapp/remit/remit_x12.h"

namespace corvena::remit {

Remittance readRemittanceFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw RemitError(0, "Cannot read the file " + path + ".");
  const std::string content{std::istreambuf_iterator<char>(in), {}};
  const auto first = content.find_first_not_of(" \t\r\n\xEF\xBB\xBF");
  if (first != std::string::npos && content[first] == '<') return readCamt(content);
  if (content.compare(first == std::string::npos ? 0 : first, 3, "ISA") == 0)
    return readX12(content);
  return readCsv(content);
}

}  // namespace corvena::remit
