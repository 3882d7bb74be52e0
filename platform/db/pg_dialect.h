#pragma once
// The company database's SQL is written once, in the dialect both engines read;
// where PostgreSQL spells a thing otherwise, these few rewrites say so.

#include <string>
#include <string_view>

namespace corvena::db::pg {

// ?N and ? parameters become $N; LIKE becomes ILIKE (SQLite's LIKE ignores case),
// a parameter after it escaped so that only a '%' ending it is a wildcard;
// INTEGER is BIGINT and REAL is DOUBLE PRECISION (SQLite's are 64-bit); a TEXT
// column COLLATE RTRIM is BPCHAR COLLATE "C", which compares ignoring trailing
// blanks and orders by bytes. Quoted text, quoted names and comments stay as written.
std::string toPostgres(std::string_view sql);

}  // namespace corvena::db::pg
