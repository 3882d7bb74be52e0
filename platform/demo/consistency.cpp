#include "platform/demo/consistency.h"

namespace corvena::demo {

namespace {

struct Rule {
  const char* problem;
  const char* query;  // each row found is one problem, described by its first column
};

const Rule kRules[] = {
    {"balance outside its amount",
     "SELECT CustId || ' ' || DocType || ' ' || RefNbr FROM ARDoc "
     "WHERE CuryDocBal < -0.005 OR CuryDocBal > CuryOrigDocAmt + 0.005 "
     "OR DocBal < -0.005 OR DocBal > OrigDocAmt + 0.005"},
    {"discount balance outside its balance",
     "SELECT CustId || ' ' || DocType || ' ' || RefNbr FROM ARDoc "
     "WHERE CuryDiscBal < -0.005 OR CuryDiscBal > CuryDocBal + 0.005"},
    {"released document open without a balance or closed with one",
     "SELECT CustId || ' ' || DocType || ' ' || RefNbr FROM ARDoc "
     "WHERE Rlsed = 1 AND OpenDoc <> (CuryDocBal > 0.005)"},
    {"child of more than one parent",
     "SELECT SecondaryCustid FROM XNACustS GROUP BY SecondaryCustid HAVING COUNT(*) > 1"},
    {"parent is a child",
     "SELECT SecondaryCustid FROM XNACustS WHERE SecondaryCustid IN "
     "(SELECT PrimaryCustId FROM XNACustP UNION SELECT PrimaryCustId FROM XNACustS)"},
    {"child without a parent row",
     "SELECT DISTINCT PrimaryCustId FROM XNACustS WHERE PrimaryCustId NOT IN "
     "(SELECT PrimaryCustId FROM XNACustP)"},
    {"linked customer not on file",
     "SELECT PrimaryCustId FROM XNACustP WHERE PrimaryCustId NOT IN (SELECT CustId FROM Customer) "
     "UNION SELECT SecondaryCustid FROM XNACustS WHERE SecondaryCustid NOT IN "
     "(SELECT CustId FROM Customer)"},
};

}  // namespace

std::vector<std::string> consistencyProblems(db::Database& db) {
  std::vector<std::string> problems;
  for (const auto& rule : kRules) {
    db::Statement st = db.prepare(rule.query);
    while (st.step()) {
      const db::Value v = st.column(0);
      const auto* text = std::get_if<std::string>(&v);
      problems.push_back(std::string(rule.problem) + ": " + (text ? *text : "?"));
    }
  }
  return problems;
}

}  // namespace corvena::demo
