// Releasing an AR batch: documents, applications and their GL lines in one
// transaction; the first rule broken refuses the whole batch.
#include <cstdio>
#include <map>
#include <vector>

#include "platform/ar/ledger.h"
#include "platform/ar/ledger_reversal.h"
#include "platform/ar/ledger_sql.h"
#include "platform/db/host_records.h"

namespace corvena::ar {

namespace {

std::string docName(const ARDoc& d) {
  return d.DocType.trimmed() + " " + d.RefNbr.trimmed() + " of " + d.CustId.trimmed();
}

bool isCredit(const ARDoc& d) {
  const std::string t = d.DocType.trimmed();
  return t == "CM" || t == "PA" || t == "PP";
}

bool isCash(const ARDoc& d) {
  const std::string t = d.DocType.trimmed();
  return t == "PA" || t == "PP";
}

class Release {
 public:
  Release(db::Database& db, std::string batNbr, const Releaser& by)
      : db_(db), bat_(std::move(batNbr)), by_(by) {}

  void run() {
    readBatch();
    readSetup();
    for (ARDoc& d : documents()) releaseDocument(d);
    applyAdjustments();
    post();
  }

 private:
  void readBatch() {
    db::Statement st = query(db_, "SELECT * FROM Batch WHERE Module = 'AR' AND BatNbr = ?1", {bat_});
    if (!st.step()) throw Refused{"There is no AR batch " + bat_ + "."};
    st.readInto(batch_);
    if (batch_.Rlsed) throw Refused{"Batch " + bat_ + " is already released."};
  }

  void readSetup() {
    db::Statement st = query(db_, "SELECT * FROM ARSetup LIMIT 1");
    if (!st.step()) throw Refused{"AR is not set up: no AR accounts to post to."};
    st.readInto(setup_);
  }

  std::vector<ARDoc> documents() {
    std::vector<ARDoc> out;
    db::Statement st = query(
        db_, "SELECT * FROM ARDoc WHERE BatNbr = ?1 AND Rlsed = 0 ORDER BY CustId, DocType, RefNbr",
        {bat_});
    while (st.step()) {
      ARDoc d{};
      blankRecord(d);
      st.readInto(d);
      out.push_back(d);
    }
    double total = 0;
    for (const auto& d : out) total += d.OrigDocAmt;
    if (cents(total - batch_.CtrlTot) != 0)
      throw Refused{"The control total " + money(batch_.CtrlTot) +
                    " does not equal the batch total " + money(total) + "."};
    batchTotal_ = cents(total);
    return out;
  }

  // A line on the document's own AR account would post against AR itself: AR
  // would record the document while the GL did not move.
  double lineTotal(const ARDoc& d, const std::string& arAcct) {
    double total = 0;
    db::Statement st = query(
        db_, "SELECT * FROM ARTran WHERE BatNbr = ?1 AND RefNbr = ?2 AND CustId = ?3", {bat_,
        d.RefNbr.trimmed(), d.CustId.trimmed()});
    while (st.step()) {
      ARTran t{};
      blankRecord(t);
      st.readInto(t);
      if (t.Acct == arAcct)
        throw Refused{"A line of " + docName(d) + " posts to " + arAcct +
                      ", the AR account of the document itself."};
      // Invoices credit their lines' accounts; credit memos debit them.
      isCredit(d) ? gl(d, t.Acct.trimmed(), t.Sub.trimmed(), t.TranAmt, 0)
                  : gl(d, t.Acct.trimmed(), t.Sub.trimmed(), 0, t.TranAmt);
      total += t.TranAmt;
    }
    return cents(total);
  }

  // A document's AR account: its own, else the AR setup's.
  std::pair<std::string, std::string> arAccount(const ARDoc& d) const {
    return {d.ArAcct.blank() ? setup_.ArAcct.trimmed() : d.ArAcct.trimmed(),
            d.ArSub.blank() ? setup_.ArSub.trimmed() : d.ArSub.trimmed()};
  }

  void releaseDocument(ARDoc& d) {
    if (cents(d.OrigDocAmt) <= 0) throw Refused{docName(d) + " has no value to release."};
    if (d.DocType.trimmed() == "RV") return releaseReversal(db_, d, batch_, setup_, by_, lines_);
    const auto [arAcct, arSub] = arAccount(d);
    if (isCash(d)) {
      const std::string bank = d.BankAcct.blank() ? setup_.ChkAcct.trimmed() : d.BankAcct.trimmed();
      const std::string sub = d.BankSub.blank() ? setup_.ChkSub.trimmed() : d.BankSub.trimmed();
      gl(d, bank, sub, d.OrigDocAmt, 0);
    } else if (lineTotal(d, arAcct) != cents(d.OrigDocAmt)) {
      throw Refused{"The lines of " + docName(d) + " do not add up to its amount."};
    }
    isCredit(d) ? gl(d, arAcct, arSub, 0, d.OrigDocAmt) : gl(d, arAcct, arSub, d.OrigDocAmt, 0);
    changeOne(
        "UPDATE ARDoc SET Rlsed = 1, OpenDoc = 1, DocBal = OrigDocAmt, CuryDocBal = OrigDocAmt,"
        " ArAcct = ?4, ArSub = ?5, LUpd_Date = ?6, LUpd_Prog = ?7, LUpd_User = ?8,"
        " tstamp = tstamp + 1 WHERE CustId = ?1 AND DocType = ?2 AND RefNbr = ?3",
        {d.CustId.trimmed(), d.DocType.trimmed(), d.RefNbr.trimmed(), arAcct, arSub,
         by_.today.iso(), by_.program, by_.user},
        docName(d));
    execute(db_, "UPDATE ARTran SET Rlsed = 1 WHERE BatNbr = ?1 AND RefNbr = ?2 AND CustId = ?3",
            {bat_, d.RefNbr.trimmed(), d.CustId.trimmed()});
  }

  static std::string documentKey(const std::string& cust, const std::string& type,
                                 const std::string& ref) {
    return cust + '\n' + type + '\n' + ref;
  }

  // The released documents the batch's applications name, both sides, in one
  // statement once the batch's own documents are released; their balances are
  // then kept here as the applications lower them in the table.
  void readAppliedDocuments() {
    db::Statement st = query(
        db_,
        "SELECT d.* FROM ARDoc d JOIN (SELECT CustId, AdjdDocType AS DocType, AdjdRefNbr AS RefNbr"
        " FROM ARAdjust WHERE AdjBatNbr = ?1 AND Rlsed = 0 UNION SELECT CustId, AdjgDocType,"
        " AdjgRefNbr FROM ARAdjust WHERE AdjBatNbr = ?1 AND Rlsed = 0) k ON d.CustId = k.CustId"
        " AND d.DocType = k.DocType AND d.RefNbr = k.RefNbr WHERE d.Rlsed = 1",
        {bat_});
    while (st.step()) {
      ARDoc d{};
      blankRecord(d);
      st.readInto(d);
      applied_.emplace(documentKey(d.CustId.trimmed(), d.DocType.trimmed(), d.RefNbr.trimmed()), d);
    }
  }

  ARDoc& openDocument(const std::string& cust, const std::string& type, const std::string& ref) {
    const auto found = applied_.find(documentKey(cust, type, ref));
    if (found == applied_.end())
      throw Refused{type + " " + ref + " of " + cust + " is not a released document."};
    return found->second;
  }

  void changeOne(const char* sql, std::initializer_list<db::Value> params, const std::string& what) {
    ar::changeOne(db_, sql, params, what);
  }

  // In the table and in what this release read of the document.
  void lower(ARDoc& d, double by, double discount) {
    changeOne(
        "UPDATE ARDoc SET DocBal = ROUND(DocBal - ?4, 2), CuryDocBal = ROUND(CuryDocBal - ?4, 2),"
        " DiscBal = ROUND(DiscBal - ?5, 2), CuryDiscBal = ROUND(CuryDiscBal - ?5, 2),"
        " OpenDoc = CASE WHEN ROUND(CuryDocBal - ?4, 2) > 0 THEN 1 ELSE 0 END, tstamp = tstamp + 1"
        " WHERE CustId = ?1 AND DocType = ?2 AND RefNbr = ?3",
        {d.CustId.trimmed(), d.DocType.trimmed(), d.RefNbr.trimmed(), cents(by), cents(discount)},
        "the balance of " + docName(d));
    d.CuryDocBal = cents(d.CuryDocBal - cents(by));
    d.CuryDiscBal = cents(d.CuryDiscBal - cents(discount));
  }

  void applyAdjustments() {
    std::vector<ARAdjust> adjustments;
    db::Statement st = query(db_, "SELECT * FROM ARAdjust WHERE AdjBatNbr = ?1 AND Rlsed = 0", {bat_});
    while (st.step()) {
      ARAdjust a{};
      blankRecord(a);
      st.readInto(a);
      adjustments.push_back(a);
    }
    readAppliedDocuments();
    for (const auto& a : adjustments) apply(a);
    execute(db_, "UPDATE ARAdjust SET Rlsed = 1 WHERE AdjBatNbr = ?1 AND Rlsed = 0", {bat_});
  }

  void apply(const ARAdjust& a) {
    const std::string cust = a.CustId.trimmed();
    ARDoc& adjusted = openDocument(cust, a.AdjdDocType.trimmed(), a.AdjdRefNbr.trimmed());
    ARDoc& adjusting = openDocument(cust, a.AdjgDocType.trimmed(), a.AdjgRefNbr.trimmed());
    const double amount = cents(a.CuryAdjdAmt), discount = cents(a.CuryAdjdDiscAmt);
    if (amount < 0 || discount < 0) throw Refused{"An application to " + docName(adjusted) + " is negative."};
    if (cents(amount + discount - adjusted.CuryDocBal) > 0)
      throw Refused{"Application amount plus discount cannot exceed the document balance of " +
                    docName(adjusted) + " (" + money(adjusted.CuryDocBal) + ")."};
    if (cents(discount - adjusted.CuryDiscBal) > 0)
      throw Refused{"Discount cannot exceed the discount balance of " + docName(adjusted) + "."};
    if (cents(amount - adjusting.CuryDocBal) > 0)
      throw Refused{docName(adjusting) + " has " + money(adjusting.CuryDocBal) + " left to apply."};
    lower(adjusted, amount + discount, discount);
    lower(adjusting, amount, 0);
    // What moves between two AR accounts (a memo raised on a wash account paid by
    // a credit kept in AR) posts between them, under the document applying.
    const auto [adjdAcct, adjdSub] = arAccount(adjusted);
    const auto [adjgAcct, adjgSub] = arAccount(adjusting);
    if (amount > 0 && (adjdAcct != adjgAcct || adjdSub != adjgSub)) {
      gl(adjusting, adjgAcct, adjgSub, amount, 0);
      gl(adjusting, adjdAcct, adjdSub, 0, amount);
    }
    // Discounts post under the payment that took them; the document was posted once.
    if (discount > 0) {
      gl(adjusting, setup_.DiscTknAcct.trimmed(), setup_.DiscTknSub.trimmed(), discount, 0);
      gl(adjusting, adjdAcct, adjdSub, 0, discount);
    }
  }

  void gl(const ARDoc& d, const std::string& acct, const std::string& sub, double dr, double cr) {
    GLTran t{};
    blankRecord(t);
    t.Module = "AR";
    t.BatNbr = bat_;
    t.LineNbr = static_cast<std::int16_t>(lines_.size() + 1);
    t.Acct = acct;
    t.Sub = sub;
    t.DrAmt = cents(dr);
    t.CrAmt = cents(cr);
    t.RefNbr = d.RefNbr.view();
    t.CustId = d.CustId.view();
    t.TranType = d.DocType.view();
    t.TranDesc = d.DocDesc.view();
    t.PerPost = batch_.PerPost.blank() ? d.PerPost.view() : batch_.PerPost.view();
    t.CpnyID = d.CpnyID.view();
    t.Crtd_Date = t.LUpd_Date = by_.today;
    t.Crtd_Prog = t.LUpd_Prog = by_.program;
    t.Crtd_User = t.LUpd_User = by_.user;
    if (acct.empty()) throw Refused{"No GL account to post " + docName(d) + " to."};
    lines_.push_back(t);
  }

  void post() {
    double dr = 0, cr = 0;
    for (const auto& t : lines_) {
      dr += t.DrAmt;
      cr += t.CrAmt;
    }
    if (cents(dr - cr) != 0)
      throw Refused{"The GL lines do not balance: debits " + money(dr) + ", credits " + money(cr) + "."};
    for (auto& t : lines_) db_.insert("GLTran", t);
    execute(db_,
            "UPDATE Batch SET Rlsed = 1, Status = 'U', CrTot = ?2, DrTot = ?2, LUpd_Date = ?3,"
            " LUpd_Prog = ?4, LUpd_User = ?5, tstamp = tstamp + 1"
            " WHERE Module = 'AR' AND BatNbr = ?1 AND Rlsed = 0",
            {bat_, batchTotal_, by_.today.iso(), by_.program, by_.user});
  }

  db::Database& db_;
  std::string bat_;
  Releaser by_;
  Batch batch_{};
  ARSetup setup_{};
  double batchTotal_ = 0;
  std::vector<GLTran> lines_;
  std::map<std::string, ARDoc> applied_;
};

}  // namespace

std::string money(double v) {
  char text[40];
  std::snprintf(text, sizeof text, "%.2f", cents(v));
  return text;
}

std::string releaseBatch(db::Database& db, const std::string& batNbr, const Releaser& by) {
  if (!by.mayRelease)
    return "User " + by.user + " may not release batches on this screen: batch " + batNbr +
           " is saved, not released.";
  try {
    db::Transaction tx(db);
    Release(db, batNbr, by).run();
    tx.commit();
    return {};
  } catch (const Refused& r) {
    return r.why;
  }
}

}  // namespace corvena::ar
