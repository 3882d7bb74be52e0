#pragma once
// A fresh company database with the real schema and procedures, and small
// helpers that seed customers, links and documents for procedure tests.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/db/tests/test_database.h"
#include "runtime/tables/records.h"

namespace corvena::testing {

using Rows = std::vector<std::string>;

class Company : public ::testing::Test {
 protected:
  db::testing::ScratchDir dir;
  std::unique_ptr<db::Database> db = db::Database::create(dir.database("company.db"));

  void customer(const std::string& id, const std::string& cycle = "01") {
    corvena::Customer c;
    c.CustId = id;
    c.Name = "Name of " + id;
    c.StmtCycleId = cycle;
    c.Status = "A";
    c.FinChrgCustId = id;
    db->insert("Customer", c);
  }
  void link(const std::string& parent, const std::vector<std::string>& children) {
    XNACustP p;
    p.PrimaryCustId = parent;
    db->insert("XNACustP", p);
    for (const auto& child : children) {
      XNACustS s;
      s.PrimaryCustId = parent;
      s.SecondaryCustid = child;
      db->insert("XNACustS", s);
    }
  }
  // A released document with the balance given; open while the balance is not 0.
  ARDoc document(const std::string& cust, const std::string& type, const std::string& ref,
                 double balance, std::int16_t released = 1) {
    ARDoc d;
    d.BatNbr = "B" + ref;
    d.CpnyID = "CPNY";
    d.CustId = cust;
    d.DocType = type;
    d.RefNbr = ref;
    d.OrigDocAmt = d.CuryOrigDocAmt = balance + 10;
    d.DocBal = d.CuryDocBal = balance;
    d.Rlsed = released;
    d.OpenDoc = balance != 0;
    d.DueDate = Date{2026, 1, static_cast<std::uint8_t>(1 + ref.size() % 28)};
    db->insert("ARDoc", d);
    return d;
  }
  // Runs a call to its end, as the framework's Sql does for statements without rows.
  void call(std::string_view text) {
    db::Statement st = db->run(text);
    while (st.step()) {
    }
  }
  // The values of one column over every row a call returns.
  Rows column(std::string_view call, const std::string& name) {
    Rows out;
    db::Statement st = db->run(call);
    int index = -1;
    for (int i = 0; i < st.columnCount(); ++i)
      if (st.columnName(i) == name) index = i;
    while (st.step()) {
      const db::Value v = st.column(index);
      if (const auto* s = std::get_if<std::string>(&v))
        out.push_back(*s);
      else if (const auto* n = std::get_if<std::int64_t>(&v))
        out.push_back(std::to_string(*n));
      else if (const auto* f = std::get_if<double>(&v))
        out.push_back(std::to_string(*f));
      else
        out.push_back("");
    }
    return out;
  }
  std::int64_t count(const std::string& table) {
    db::Statement st = db->prepare("SELECT COUNT(*) FROM " + table);
    st.step();
    return std::get<std::int64_t>(st.column(0));
  }
};

}  // namespace corvena::testing
