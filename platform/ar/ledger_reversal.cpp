#include "platform/ar/ledger_reversal.h"

#include <utility>

#include "platform/ar/ledger_sql.h"
#include "platform/db/audit_stamp.h"

namespace corvena::ar {

namespace {

std::string docName(const std::string& type, const std::string& ref, const std::string& cust) {
  return type + " " + ref + " of " + cust;
}

std::string docName(const ARDoc& d) {
  return docName(d.DocType.trimmed(), d.RefNbr.trimmed(), d.CustId.trimmed());
}

// What a document applied to one document, net of what was taken back before.
struct Applied {
  std::string type, ref;
  double amount, discount;
};

class Reversal {
 public:
  Reversal(db::Database& db, const ARDoc& rv, std::string batNbr, std::string period,
           const ARSetup& setup, const Releaser& by)
      : db_(db), rv_(rv), bat_(std::move(batNbr)), period_(std::move(period)), setup_(setup),
        stamp_{by.today, by.program, by.user} {}

  // The rules, read only; what the reversal comes to.
  double check() {
    readOriginal();
    checkDate();
    applied_ = applied();
    double taken = 0;
    for (const Applied& a : applied_) taken += a.amount;
    if (!whole() && cents(taken) <= 0)
      throw Refused{docName(original_) + " applied nothing in batch " + onlyBatch() + " to reverse."};
    taken_ = cents(taken);
    return cents(whole() ? original_.OrigDocAmt : taken_);
  }

  void write(std::vector<GLTran>& lines) {
    const double amount = check();
    if (amount != cents(rv_.OrigDocAmt))
      throw Refused{docName(rv_) + " is for " + money(rv_.OrigDocAmt) + "; what it reverses comes to " +
                    money(amount) + "."};
    for (const Applied& a : applied_) takeBack(a);
    reversePostings(lines);
    closeOriginal();
    releaseSelf();
  }

 private:
  bool whole() const { return rv_.RevBatNbr.blank(); }
  std::string onlyBatch() const { return rv_.RevBatNbr.trimmed(); }
  const std::string& period() const { return period_; }

  // A payment is reversed whole; a credit's applications in one batch alone,
  // never in the batch that made it, where its own posting lies.
  void readOriginal() {
    const std::string type = rv_.RevDocType.trimmed(), ref = rv_.RevRefNbr.trimmed();
    const bool payment = type == "PA" || type == "PP";
    if (!(payment || (!whole() && type == "CM")))
      throw Refused{docName(rv_) + " names no payment or credit to reverse."};
    db::Statement st = query(db_,
                             "SELECT * FROM ARDoc WHERE CustId = ?1 AND DocType = ?2 AND RefNbr = ?3"
                             " AND Rlsed = 1",
                             {rv_.CustId.trimmed(), type, ref});
    blankRecord(original_);
    if (!st.step())
      throw Refused{docName(rv_) + " reverses " + docName(type, ref, rv_.CustId.trimmed()) +
                    ", which is not a released document."};
    st.readInto(original_);
    if (!original_.RevDocType.blank())
      throw Refused{docName(original_) + " is already reversed by " + original_.RevDocType.trimmed() +
                    " " + original_.RevRefNbr.trimmed() + "."};
    if (!whole() && original_.BatNbr.trimmed() == onlyBatch())
      throw Refused{docName(original_) + " was made in batch " + onlyBatch() +
                    ": reverse it whole."};
    if (!whole() && query(db_,
                          "SELECT 1 FROM ARDoc WHERE DocType = 'RV' AND Rlsed = 1 AND CustId = ?1"
                          " AND RevDocType = ?2 AND RevRefNbr = ?3 AND RevBatNbr = ?4",
                          {rv_.CustId.trimmed(), type, ref, onlyBatch()})
                        .step())
      throw Refused{"What " + docName(original_) + " applied in batch " + onlyBatch() +
                    " is already reversed."};
  }

  // Past periods are closed: a reversal posts in the current one or later, and
  // never before the document it reverses.
  void checkDate() {
    if (rv_.DocDate < original_.DocDate)
      throw Refused{docName(rv_) + " is dated before " + docName(original_) + " (" +
                    original_.DocDate.iso() + ")."};
    if (period() < setup_.CurrPerNbr.trimmed())
      throw Refused{"Period " + period() + " is closed: " + docName(rv_) +
                    " must post in an open period."};
    if (period() < original_.PerPost.trimmed())
      throw Refused{docName(rv_) + " would post in " + period() + ", before the period of " +
                    docName(original_) + " (" + original_.PerPost.trimmed() + ")."};
  }

  std::vector<Applied> applied() {
    std::vector<Applied> out;
    db::Statement st = query(
        db_,
        "SELECT AdjdDocType, AdjdRefNbr, ROUND(SUM(CuryAdjdAmt), 2), ROUND(SUM(CuryAdjdDiscAmt), 2)"
        " FROM ARAdjust WHERE Rlsed = 1 AND CustId = ?1 AND AdjgDocType = ?2 AND AdjgRefNbr = ?3"
        " AND (?4 = '' OR AdjBatNbr = ?4) GROUP BY AdjdDocType, AdjdRefNbr"
        " ORDER BY AdjdDocType, AdjdRefNbr",
        {original_.CustId.trimmed(), original_.DocType.trimmed(), original_.RefNbr.trimmed(),
         onlyBatch()});
    while (st.step())
      out.push_back({textOf(st.column(0)), textOf(st.column(1)), amountOf(st.column(2)),
                     amountOf(st.column(3))});
    return out;
  }

  // The application row of the reversal takes back what was applied; the
  // document's balance and discount balance rise by it.
  void takeBack(const Applied& a) {
    if (cents(a.amount + a.discount) <= 0) return;
    ARAdjust row{};
    blankRecord(row);
    row.AdjBatNbr = bat_;
    row.CustId = original_.CustId.view();
    row.AdjdDocType = a.type;
    row.AdjdRefNbr = a.ref;
    row.AdjgDocType = original_.DocType.view();
    row.AdjgRefNbr = original_.RefNbr.view();
    row.AdjAmt = row.CuryAdjdAmt = -a.amount;
    row.AdjDiscAmt = row.CuryAdjdDiscAmt = -a.discount;
    row.AdjgDocDate = rv_.DocDate;
    row.PerAppl = period();
    row.CpnyID = rv_.CpnyID.view();
    row.Rlsed = 1;
    db::stampAudit(row, stamp_);
    db_.insert("ARAdjust", row);
    changeOne(db_,
              "UPDATE ARDoc SET DocBal = ROUND(DocBal + ?4, 2), CuryDocBal = ROUND(CuryDocBal + ?4, 2),"
              " DiscBal = ROUND(DiscBal + ?5, 2), CuryDiscBal = ROUND(CuryDiscBal + ?5, 2),"
              " OpenDoc = CASE WHEN ROUND(CuryDocBal + ?4, 2) > 0 THEN 1 ELSE 0 END, PerClosed = '',"
              " tstamp = tstamp + 1 WHERE CustId = ?1 AND DocType = ?2 AND RefNbr = ?3 AND Rlsed = 1",
              {original_.CustId.trimmed(), a.type, a.ref, cents(a.amount + a.discount),
               cents(a.discount)},
              "the balance of " + docName(a.type, a.ref, original_.CustId.trimmed()));
  }

  // Each GL line the document posted, in the batches reversed, posts again with
  // debit and credit exchanged, under the reversal's batch and in its period.
  void reversePostings(std::vector<GLTran>& lines) {
    db::Statement st = query(
        db_,
        "SELECT * FROM GLTran g WHERE Module = 'AR' AND CustId = ?1 AND TranType = ?2"
        " AND RefNbr = ?3 AND (?4 = '' OR BatNbr = ?4) AND NOT EXISTS (SELECT 1 FROM ARDoc r"
        "   WHERE r.DocType = 'RV' AND r.Rlsed = 1 AND r.CustId = g.CustId"
        "   AND r.RevDocType = g.TranType AND r.RevRefNbr = g.RefNbr AND r.RevBatNbr = g.BatNbr)"
        " ORDER BY BatNbr, LineNbr",
        {original_.CustId.trimmed(), original_.DocType.trimmed(), original_.RefNbr.trimmed(),
         onlyBatch()});
    while (st.step()) {
      GLTran t{};
      blankRecord(t);
      st.readInto(t);
      std::swap(t.DrAmt, t.CrAmt);
      t.BatNbr = bat_;
      t.LineNbr = static_cast<std::int16_t>(lines.size() + 1);
      t.TranType = "RV";
      t.RefNbr = rv_.RefNbr.view();
      t.PerPost = period();
      t.Posted = 0;
      t.Crtd_Prog = "";
      db::stampAudit(t, stamp_);
      lines.push_back(t);
    }
  }

  // A payment reversed whole is closed at zero and names its reversal, so it is
  // neither applied nor reversed again; a credit has back what it applied.
  void closeOriginal() {
    const std::string what = docName(original_);
    if (whole())
      changeOne(db_,
                "UPDATE ARDoc SET DocBal = 0, CuryDocBal = 0, OpenDoc = 0, RevDocType = 'RV',"
                " RevRefNbr = ?4, PerClosed = ?5, tstamp = tstamp + 1"
                " WHERE CustId = ?1 AND DocType = ?2 AND RefNbr = ?3 AND RevDocType = ''",
                {original_.CustId.trimmed(), original_.DocType.trimmed(), original_.RefNbr.trimmed(),
                 rv_.RefNbr.trimmed(), period()},
                what);
    else
      changeOne(db_,
                "UPDATE ARDoc SET DocBal = ROUND(DocBal + ?4, 2), CuryDocBal = ROUND(CuryDocBal + ?4, 2),"
                " OpenDoc = CASE WHEN ROUND(CuryDocBal + ?4, 2) > 0 THEN 1 ELSE 0 END,"
                " tstamp = tstamp + 1"
                " WHERE CustId = ?1 AND DocType = ?2 AND RefNbr = ?3 AND RevDocType = ''",
                {original_.CustId.trimmed(), original_.DocType.trimmed(), original_.RefNbr.trimmed(),
                 taken_},
                what);
  }

  void releaseSelf() {
    changeOne(db_,
              "UPDATE ARDoc SET Rlsed = 1, OpenDoc = 0, DocBal = 0, CuryDocBal = 0,"
              " CuryOrigDocAmt = OrigDocAmt, PerPost = ?3, PerClosed = ?3, LUpd_Date = ?4,"
              " LUpd_Prog = ?5, LUpd_User = ?6, tstamp = tstamp + 1"
              " WHERE CustId = ?1 AND DocType = 'RV' AND RefNbr = ?2 AND Rlsed = 0",
              {rv_.CustId.trimmed(), rv_.RefNbr.trimmed(), period(), stamp_.date.iso(),
               stamp_.program, stamp_.user},
              docName(rv_));
  }

  db::Database& db_;
  const ARDoc& rv_;
  std::string bat_, period_;
  const ARSetup& setup_;
  db::AuditStamp stamp_;
  ARDoc original_{};
  std::vector<Applied> applied_;
  double taken_ = 0;
};

}  // namespace

ReversalCheck checkReversal(db::Database& db, const ARDoc& rv, const std::string& period,
                            const ARSetup& setup) {
  try {
    return {.amount = Reversal(db, rv, "", period, setup, Releaser{}).check()};
  } catch (const Refused& r) {
    return {.why = r.why};
  }
}

void releaseReversal(db::Database& db, const ARDoc& rv, const Batch& batch, const ARSetup& setup,
                     const Releaser& by, std::vector<GLTran>& lines) {
  const std::string period = batch.PerPost.blank() ? rv.PerPost.trimmed() : batch.PerPost.trimmed();
  Reversal(db, rv, batch.BatNbr.trimmed(), period, setup, by).write(lines);
}

}  // namespace corvena::ar
