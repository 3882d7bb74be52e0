#pragma once
// The floors of the benchmarks on a server database: the same bare work
// through the server's own client library.

#include <string>
#include <vector>

#include "runtime/tables/records.h"

namespace corvena::bench {

// One query read to its end, every column of every row taken; milliseconds.
double serverQueryMs(const std::string& database, const std::string& sql,
                     const std::vector<std::string>& params);
// The rows inserted with one prepared statement in one transaction.
void serverInserts(const std::string& database, const std::vector<XNADetail>& rows);

}  // namespace corvena::bench
