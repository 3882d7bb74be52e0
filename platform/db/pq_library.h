#pragma once
// The server's client library, mapped at the first server connection: a program
// working on a company file never loads it, nor the TLS, Kerberos and directory
// libraries it brings, and starts that much sooner.

#include <libpq-fe.h>

namespace corvena::db::pg {

#define CORVENA_PQ_FUNCTIONS(X)                                                              \
  X(PQclear) X(PQcmdTuples) X(PQconnectdbParams) X(PQconnectionNeedsPassword)              \
  X(PQconninfoFree) X(PQconninfoParse) X(PQdescribePrepared) X(PQencryptPasswordConn)      \
  X(PQerrorMessage) X(PQexec) X(PQexecParams) X(PQexecPrepared) X(PQfinish) X(PQfname)     \
  X(PQfreemem) X(PQftable) X(PQftype) X(PQgetisnull) X(PQgetlength) X(PQgetvalue)          \
  X(PQnfields) X(PQnparams) X(PQntuples) X(PQprepare) X(PQreset) X(PQresultErrorField)     \
  X(PQresultStatus) X(PQsetNoticeProcessor) X(PQstatus) X(PQtransactionStatus)

struct PqLibrary {
#define CORVENA_PQ_MEMBER(name) decltype(&::name) name = nullptr;
  CORVENA_PQ_FUNCTIONS(CORVENA_PQ_MEMBER)
#undef CORVENA_PQ_MEMBER
};

// Loaded on first use; a DbError when the library is missing or lacks a function,
// and the next use tries again.
const PqLibrary& pq();

}  // namespace corvena::db::pg
