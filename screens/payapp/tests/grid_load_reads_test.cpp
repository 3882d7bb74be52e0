// The grid's load reads what its lines are checked against for the whole account
// at once. It lists what the look-ups made document by document list (kept here
// as the oracle), with the same amounts and the same documents held back, on the
// demo company and on a scaled one, and runs as many statements for a long grid
// as for a short one.

#include <cstring>
#include <cstdio>

#include "platform/demo/demo_data.h"
#include "screens/payapp/payapp_records.h"
#include "screens/payapp/tests/payapp_fixture.h"

namespace corvena::payapp::testing {
namespace {

using Lines = std::vector<std::string>;

const char* const kParents[] = {"NATL-GROC", "NATL-AUTO", "NATL-HOTEL", "SCALE-PARENT"};
constexpr const char* kOtherBatch = "0000000700";

std::string ownBatch(int parent) { return "000000071" + std::to_string(parent); }
std::string closedBatch(int parent) { return "000000072" + std::to_string(parent); }

std::string amount(double v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.4f", v);
  return buf;
}

std::string lineText(const XDetail& l) {
  return l.CustId.trimmed() + "|" + l.DocType.trimmed() + "|" + l.RefNbr.trimmed() + "|" +
         l.CustName.trimmed() + "|" + l.ARRefNbr.trimmed() + "|" + amount(l.CuryDocBal) + "|" +
         amount(l.CuryApplAmt) + "|" + amount(l.DiscAmt) + "|" + amount(l.TotApply) + "|" +
         amount(l.NewDocBal) + "|" + l.DueDate.iso() + "|" + amount(l.CuryDiscBal);
}

struct Grid {
  Lines lines;
  double applyTotal = 0, discTotal = 0;
};

// The load as the look-ups document by document give it; amounts are rounded
// as the screen's session rounds them, so it runs within one.
class PerDocument {
 public:
  PerDocument(db::Database& db, std::string signedOn) : db_(db), signedOn_(std::move(signedOn)) {
    GLSetup gl;
    fetch("glsetup_all", gl);
    glCompany_ = gl.CpnyId.trimmed();
  }

  Grid open(const std::string& parent, const std::string& batch) {
    Grid g;
    db::Statement docs = db_.run("XNAARDoc_OpenDetails " + db::textLiteral(parent));
    while (docs.step()) {
      ARDoc doc;
      docs.readInto(doc);
      if (!selectable(doc)) continue;
      XDetail line;
      line.CustId = doc.CustId;
      line.DocType = doc.DocType;
      line.RefNbr = doc.RefNbr;
      line.CuryDocBal = doc.CuryDocBal;
      line.DueDate = doc.DueDate;
      line.CuryDiscBal = doc.CuryDiscBal;
      if (application(line, batch)) {
        line.NewDocBal = host::FPSub(line.CuryDocBal, line.TotApply);
        line.CustName = name(doc.CustId.trimmed());
        g.lines.push_back(lineText(line));
      }
      add(g, line);
    }
    return g;
  }

  Grid closed(const std::string& batch) {
    Grid g;
    db::Statement rows = db_.run("XNADetail_BatNbr " + db::textLiteral(batch));
    while (rows.step()) {
      XNADetail row;
      rows.readInto(row);
      XDetail line;
      line.CustId = row.CustId;
      line.DocType = row.DocType;
      line.RefNbr = row.RefNbr;
      take(line, row);
      ARDoc doc;
      if (fetch("XNAARDoc_Closed " + db::textLiteral(row.RefNbr.view()) +
                    db::textLiteral(row.CustId.view()),
                doc)) {
        line.CuryDocBal = doc.CuryDocBal;
        line.DueDate = doc.DueDate;
        line.CuryDiscBal = doc.CuryDiscBal;
      }
      line.NewDocBal = line.CuryDocBal;
      line.CustName = name(row.CustId.trimmed());
      g.lines.push_back(lineText(line));
      add(g, line);
    }
    return g;
  }

 private:
  template <class R>
  bool fetch(const std::string& call, R& record) {
    db::Statement st = db_.run(call);
    if (!st.step()) return false;
    st.readInto(record);
    return true;
  }
  bool selectable(const ARDoc& doc) {
    ARAdjust j;
    if (fetch("UnrlsedPayCheck " + db::textLiteral(doc.RefNbr.trimmed()) +
                  db::textLiteral(doc.DocType.trimmed()) + db::textLiteral(doc.CustId.trimmed()),
              j))
      return false;
    return !(signedOn_ != glCompany_ && doc.CpnyID.trimmed() != signedOn_);
  }
  bool application(XDetail& line, const std::string& batch) {
    bool own = false, other = false;
    db::Statement st = db_.run("XNADetail_RefNbr " + db::textLiteral(line.CustId.trimmed()) +
                               db::textLiteral(line.RefNbr.trimmed()) +
                               db::textLiteral(line.DocType.trimmed()));
    while (st.step()) {
      XNADetail row;
      st.readInto(row);
      if (row.NABatNbr == batch) {
        own = true;
        take(line, row);
      } else {
        other = true;
      }
    }
    return own || !other;
  }
  static void take(XDetail& line, const XNADetail& row) {
    line.ARRefNbr = row.ARRefNbr;
    line.CuryApplAmt = row.CuryApplAmt;
    line.DiscAmt = row.DiscAmt;
    line.TotApply = host::FPAdd(row.CuryApplAmt, row.DiscAmt);
  }
  static void add(Grid& g, const XDetail& line) {
    g.applyTotal += line.CuryApplAmt;
    g.discTotal = host::FPAdd(g.discTotal, line.DiscAmt);
  }
  std::string name(const std::string& cust) {
    Customer c;
    return fetch("Customer_all " + db::textLiteral(cust), c) ? c.Name.trimmed() : "";
  }

  db::Database& db_;
  std::string signedOn_, glCompany_;
};

class GridLoadReads : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = scratch_.database("company.db");
    db_ = db::Database::create(path_);
    demo::fillDemo(*db_);
    demo::fillScaled(*db_, 30, 600);
    for (int p = 0; p < 4; ++p) markDocuments(p);
    // A document every batch applies to and AR no longer has.
    detail(closedBatch(3), "SCALE-PARENT", "IN", "GONE1", 9, 1);
  }

  // Every few documents of the account: another open batch holds it, this
  // account's open batch or closed batch applied to it, an unreleased host
  // payment touches it, or it belongs to the branch.
  void markDocuments(int p) {
    const std::string parent = kParents[p];
    header(ownBatch(p), parent, "O");
    header(closedBatch(p), parent, "C");
    std::vector<ARDoc> docs;
    db::Statement st = db_->run("XNAARDoc_OpenDetails " + db::textLiteral(parent));
    while (st.step()) st.readInto(docs.emplace_back());
    db::Transaction tx(*db_);
    for (std::size_t i = 0; i < docs.size(); ++i) {
      const ARDoc& d = docs[i];
      const std::string cust = d.CustId.trimmed(), type = d.DocType.trimmed(),
                        ref = d.RefNbr.trimmed();
      if (i % 7 == 0) detail(kOtherBatch, cust, type, ref, 1, 0);
      if (i % 5 == 0) detail(ownBatch(p), cust, type, ref, 2 + i, 0.5);
      if (i % 9 == 0) detail(closedBatch(p), cust, type, ref, 3, 0);
      if (i % 13 == 0) unreleased(cust, type, ref);
      if (i % 17 == 0)
        db_->exec("UPDATE ARDoc SET CpnyID = 'BRANCH' WHERE CustId = '" + cust +
                  "' AND DocType = '" + type + "' AND RefNbr = '" + ref + "'");
    }
    tx.commit();
  }
  void header(const std::string& batch, const std::string& parent, const std::string& status) {
    XNAHeader h;
    h.NABatNbr = batch;
    h.CpnyId = "DEMO";
    h.CustId = parent;
    h.Status = status;
    h.vond1 = "NP";
    h.RefNbr = "CHK" + batch.substr(7);
    h.OrigDocAmt = 1e9;
    db_->insert("XNAHeader", h);
  }
  void detail(const std::string& batch, const std::string& cust, const std::string& type,
              const std::string& ref, double applied, double discount) {
    XNADetail d;
    d.NABatNbr = batch;
    d.CustId = cust;
    d.DocType = type;
    d.RefNbr = ref;
    d.CpnyId = "DEMO";
    d.CuryApplAmt = applied;
    d.DiscAmt = discount;
    d.ARRefNbr = "P" + ref.substr(0, 9);
    db_->insert("XNADetail", d);
  }
  void unreleased(const std::string& cust, const std::string& type, const std::string& ref) {
    ARAdjust j;
    j.AdjBatNbr = "HOLD";
    j.CustId = cust;
    j.AdjdDocType = type;
    j.AdjdRefNbr = ref;
    j.AdjgDocType = "PA";
    j.AdjgRefNbr = "HOLDCHK";
    j.AdjAmt = 1;
    db_->insert("ARAdjust", j);
  }

  static Grid shown(OpenScreen& s) {
    return s.within([&] {
      Grid g;
      const forms::LineArray* lines = s.session().grids().lineArrayOf(s.grid());
      for (std::size_t i = 0; i < lines->size(); ++i) {
        XDetail line;
        std::memcpy(&line, lines->line(i).data.data(), sizeof line);
        g.lines.push_back(lineText(line));
      }
      g.applyTotal = payapp().bXHeader.ApplyTotal;
      g.discTotal = payapp().bXHeader.DiscTotal;
      return g;
    });
  }
  static void expectSame(const Grid& shown, const Grid& expected) {
    EXPECT_EQ(sorted(shown.lines), sorted(expected.lines));
    EXPECT_DOUBLE_EQ(shown.applyTotal, expected.applyTotal);
    EXPECT_DOUBLE_EQ(shown.discTotal, expected.discTotal);
  }
  std::unique_ptr<OpenScreen> open(const std::string& company) {
    return std::make_unique<OpenScreen>(path_, company, demo::kDemoToday);
  }

  db::testing::ScratchDir scratch_;
  std::string path_;
  std::unique_ptr<db::Database> db_;
};

TEST_F(GridLoadReads, NewPaymentListsWhatTheLookUpsOfEachDocumentList) {
  for (const char* company : {"DEMO", "BRANCH"}) {
    PerDocument oracle(*db_, company);
    auto s = open(company);
    for (const char* parent : kParents) {
      SCOPED_TRACE(std::string(company) + " " + parent);
      ASSERT_TRUE(s->newBatch());
      ASSERT_TRUE(s->set("cCustId", parent));
      ASSERT_GT(s->lineCount(), 0u);
      expectSame(shown(*s), s->within([&] { return oracle.open(parent, ""); }));
    }
  }
}

TEST_F(GridLoadReads, RecalledBatchesShowWhatTheLookUpsOfEachLineShow) {
  PerDocument oracle(*db_, "DEMO");
  auto s = open("DEMO");
  for (int p = 0; p < 4; ++p) {
    SCOPED_TRACE(kParents[p]);
    ASSERT_TRUE(s->set("cNABatNbr", ownBatch(p)));
    expectSame(shown(*s), s->within([&] { return oracle.open(kParents[p], ownBatch(p)); }));
    ASSERT_TRUE(s->set("cNABatNbr", closedBatch(p)));
    ASSERT_GT(s->lineCount(), 0u);
    expectSame(shown(*s), s->within([&] { return oracle.closed(closedBatch(p)); }));
  }
}

TEST_F(GridLoadReads, ALongGridTakesNoMoreStatementsThanAShortOne) {
  auto s = open("DEMO");
  const auto statementsFor = [&](const char* parent) {
    const std::int64_t before = s->session().database().statementsRun();
    EXPECT_TRUE(s->set("cCustId", parent));
    return s->session().database().statementsRun() - before;
  };
  statementsFor("NATL-HOTEL");
  const std::int64_t shortGrid = statementsFor("NATL-HOTEL");
  const std::size_t shortLines = s->lineCount();
  const std::int64_t longGrid = statementsFor("SCALE-PARENT");
  ASSERT_GT(s->lineCount(), 10 * shortLines);
  EXPECT_EQ(longGrid, shortGrid);
}

}  // namespace
}  // namespace corvena::payapp::testing
