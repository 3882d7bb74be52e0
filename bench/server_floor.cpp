#include "bench/server_floor.h"

#include <benchmark/benchmark.h>
#include <libpq-fe.h>

#include <chrono>
#include <stdexcept>

namespace corvena::bench {

namespace {

PGconn* connect(const std::string& database) {
  PGconn* conn = PQconnectdb(database.c_str());
  if (PQstatus(conn) != CONNECTION_OK) {
    const std::string why = PQerrorMessage(conn);
    PQfinish(conn);
    throw std::runtime_error("cannot connect to " + database + ": " + why);
  }
  return conn;
}

void run(PGconn* conn, const char* sql) {
  PQclear(PQexec(conn, sql));
}

std::vector<std::string> texts(const XNADetail& r) {
  return {r.NABatNbr.trimmed(), r.CustId.trimmed(),  r.DocType.trimmed(),   r.RefNbr.trimmed(),
          r.ARRefNbr.trimmed(), r.CpnyId.trimmed(),  std::to_string(r.CuryApplAmt),
          r.CuryId.trimmed(),   r.DocDate.iso(),     std::to_string(r.DocAmt),
          std::to_string(r.DetailFlag),              std::to_string(r.DiscAmt),
          r.LineStatus.trimmed(), r.Crtd_Date.iso(), r.Crtd_Prog.trimmed(), r.Crtd_User.trimmed(),
          r.LUpd_Date.iso(),    r.LUpd_Prog.trimmed(), r.LUpd_User.trimmed()};
}

}  // namespace

double serverQueryMs(const std::string& database, const std::string& sql,
                     const std::vector<std::string>& params) {
  PGconn* conn = connect(database);
  std::vector<const char*> values;
  for (const auto& p : params) values.push_back(p.c_str());
  const auto start = std::chrono::steady_clock::now();
  PGresult* result = PQexecParams(conn, sql.c_str(), static_cast<int>(values.size()), nullptr,
                                  values.data(), nullptr, nullptr, 0);
  long bytes = 0;
  for (int r = 0; r < PQntuples(result); ++r)
    for (int c = 0; c < PQnfields(result); ++c) {
      bytes += PQgetlength(result, r, c);
      benchmark::DoNotOptimize(PQgetvalue(result, r, c));
    }
  PQclear(result);
  const double ms =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  benchmark::DoNotOptimize(bytes);
  PQfinish(conn);
  return ms;
}

void serverInserts(const std::string& database, const std::vector<XNADetail>& rows) {
  PGconn* conn = connect(database);
  run(conn, "BEGIN");
  PQclear(PQprepare(conn, "ins",
                    "INSERT INTO XNADetail (NABatNbr, CustId, DocType, RefNbr, ARRefNbr, CpnyId, "
                    "CuryApplAmt, CuryId, DocDate, DocAmt, DetailFlag, DiscAmt, LineStatus, "
                    "Crtd_Date, Crtd_Prog, Crtd_User, LUpd_Date, LUpd_Prog, LUpd_User) VALUES "
                    "($1, $2, $3, $4, $5, $6, $7, $8, $9, $10, $11, $12, $13, $14, $15, $16, $17, "
                    "$18, $19)",
                    19, nullptr));
  for (const XNADetail& r : rows) {
    const auto values = texts(r);
    std::vector<const char*> params;
    for (const auto& v : values) params.push_back(v.c_str());
    PQclear(PQexecPrepared(conn, "ins", 19, params.data(), nullptr, nullptr, 0));
  }
  run(conn, "COMMIT");
  PQfinish(conn);
}

}  // namespace corvena::bench
