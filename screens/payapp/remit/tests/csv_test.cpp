// Portal exports read as a clerk's chains send them, and broken ones refused
// with the line that is wrong.

#include <gtest/gtest.h>

#include "screens/payapp/remit/remit_csv.h"
#include "screens/payapp/remit/tests/refusal.h"
#include "screens/payapp/remit/remit_values.h"

namespace corvena::remit {
namespace {

std::string errorOf(std::string_view text) { return testing::refusalOf(readCsv, text); }

TEST(Csv, CommonSpellingsCommasAndQuotesAsRfc4180HasThem) {
  const auto r = readCsv(
      "Check #,Check Date,Check Amount,Store Name,Inv No,Invoice Date,Gross,Disc Taken,Amount "
      "Paid\r\n"
      "1001,03/05/2026,\"1,250.00\",\"Acme, Store \"\"One\"\"\",000123,2026-02-01,1000,20,980\r\n"
      "\r\n"
      "1001,03/05/2026,\"1,250.00\",C2,\"INV\n77\",,270.00,,270\r\n");
  EXPECT_EQ(r.checkNumber, "1001");
  EXPECT_EQ(r.checkDate.iso(), "2026-03-05");
  EXPECT_EQ(r.checkAmount, 125000);
  ASSERT_EQ(r.lines.size(), 2u);
  EXPECT_EQ(r.lines[0].store, "Acme, Store \"One\"");
  EXPECT_EQ(r.lines[0].reference, "000123");
  EXPECT_EQ(r.lines[0].invoiceDate.iso(), "2026-02-01");
  EXPECT_EQ(r.lines[0].gross, 100000);
  EXPECT_EQ(r.lines[0].discount, 2000);
  EXPECT_EQ(r.lines[0].paid, 98000);
  EXPECT_EQ(r.lines[0].source, 2);
  EXPECT_EQ(r.lines[1].reference, "INV\n77");
  EXPECT_EQ(r.lines[1].discount, 0);
  EXPECT_EQ(r.lines[1].source, 4);
}

TEST(Csv, ASemicolonFileWritesAmountsWithADecimalComma) {
  const auto r = readCsv(
      "payer;cheque number;payment date;payment amount;customer id;reference;discount;paid\n"
      "P1;CHK-9;20260305;1.234,50;C1;A100;1,50;1.233\n");
  EXPECT_EQ(r.payer, "P1");
  EXPECT_EQ(r.checkNumber, "CHK-9");
  EXPECT_EQ(r.checkAmount, 123450);
  EXPECT_EQ(r.lines.at(0).discount, 150);
  EXPECT_EQ(r.lines.at(0).paid, 123300);
}

TEST(Csv, ABrokenFileIsRefusedNamingTheLine) {
  const std::string header = "check number,check amount,store,invoice,paid\n";
  EXPECT_EQ(errorOf(header + "1,10,C1,A1,5\n1,10,C1,\"A2,5\n"),
            "Line 3: a quoted field is not closed by the end of the file.");
  EXPECT_EQ(errorOf(header + "1,10,C1,A\"1,5\n"),
            "Line 2: a quote out of place (a quoted field must be quoted whole, a quote inside "
            "it doubled).");
  EXPECT_EQ(errorOf(header + "1,10,C1,A1,5\n1;10;C1;A2;5\n"),
            "Line 3: 1 fields where the header has 5 (separated by ',').");
  EXPECT_EQ(errorOf(header + "1,10,C1,A1,5\n1,10,C1,A2,5.0.1\n"),
            "Line 3: \"5.0.1\" is not an amount (paid).");
  EXPECT_EQ(errorOf(header + "1,10,C1,A1,5\n2,10,C1,A2,5\n"),
            "Line 3: check 2 of 10.00, where the first line has check 1 of 10.00: a file pays "
            "one check.");
  EXPECT_EQ(errorOf("check,store,invoice,paid\n1,C1,A1,5\n"),
            "Line 1: no column for the check amount (the header names: check, store, invoice, "
            "paid).");
  EXPECT_EQ(errorOf("check\tamount\tinvoice\tpaid\n1\t10\tA1\t5\n"),
            "Line 1: no column for the check number (the header names: check\tamount\tinvoice\t"
            "paid).");
  EXPECT_EQ(errorOf(header), "Line 1: a header and no lines.");
}

TEST(Csv, AmountsAndDatesAsFilesWriteThem) {
  EXPECT_EQ(parseAmount("$1,234,567.8", 1, "paid"), 123456780);
  EXPECT_EQ(parseAmount("-0.05", 1, "paid"), -5);
  EXPECT_EQ(parseAmount("1.234,5", 1, "paid", true), 123450);
  for (const char* bad : {"", "1,23.00", "12.345", "1e3", "abc", "1 000"})
    EXPECT_THROW(parseAmount(bad, 1, "paid"), RemitError) << bad;
  EXPECT_TRUE(parseDate(" ", 1, "check date").isBlank());
  EXPECT_EQ(parseDate("12/31/2026", 1, "check date").iso(), "2026-12-31");
  EXPECT_THROW(parseDate("31/12/2026", 1, "check date"), RemitError);
  EXPECT_THROW(parseDate("2026-02-30", 1, "check date"), RemitError);
}

}  // namespace
}  // namespace corvena::remit
