// EDI remittance advice (820) read with the separators its ISA names, and
// files that are cut short or malformed refused naming their line.

#include <gtest/gtest.h>

#include "screens/payapp/remit/remit_x12.h"
#include "screens/payapp/remit/tests/refusal.h"

namespace corvena::remit {
namespace {

const std::string kIsa =
    "ISA*00*          *00*          *ZZ*ACMECORP       *ZZ*CORVENA        *260305*1200*U*00401*"
    "000000001*0*P*>~\n";
const std::string kBody =
    "GS*RA*ACMECORP*CORVENA*20260305*1200*1*X*004010~\n"
    "ST*820*0001~\n"
    "BPR*C*1250.00*C*CHK************20260305~\n"
    "TRN*1*1001~\n"
    "N1*PR*ACME CORP*91*P1~\n"
    "N1*PE*CORVENA~\n"
    "ENT*1*SN*92*C1~\n"
    "RMR*IV*000123**980*1000*20~\n"
    "DTM*003*20260201~\n"
    "ENT*2~\n"
    "N1*BY*Acme Store 2~\n"
    "RMR*IV*INV77**270~\n"
    "SE*12*0001~\n";
const std::string kTrailer = "GE*1*1~\nIEA*1*000000001~\n";

std::string errorOf(std::string_view text) { return testing::refusalOf(readX12, text); }

TEST(X12, ThePaymentItsCheckPayerStoresAndInvoices) {
  const auto r = readX12(kIsa + kBody + kTrailer);
  EXPECT_EQ(r.payer, "P1");
  EXPECT_EQ(r.checkNumber, "1001");
  EXPECT_EQ(r.checkAmount, 125000);
  EXPECT_EQ(r.checkDate.iso(), "2026-03-05");
  ASSERT_EQ(r.lines.size(), 2u);
  EXPECT_EQ(r.lines[0].store, "C1");
  EXPECT_EQ(r.lines[0].reference, "000123");
  EXPECT_EQ(r.lines[0].paid, 98000);
  EXPECT_EQ(r.lines[0].gross, 100000);
  EXPECT_EQ(r.lines[0].discount, 2000);
  EXPECT_EQ(r.lines[0].invoiceDate.iso(), "2026-02-01");
  EXPECT_EQ(r.lines[0].source, 9);
  EXPECT_EQ(r.lines[1].store, "Acme Store 2");
  EXPECT_EQ(r.lines[1].paid, 27000);
}

TEST(X12, SeparatorsComeFromTheIsaHeader) {
  std::string text = kIsa + kBody + kTrailer;
  for (char& c : text) c = c == '*' ? '|' : c == '~' ? '\'' : c;
  text.erase(std::remove(text.begin(), text.end(), '\n'), text.end());
  const auto r = readX12(text);
  EXPECT_EQ(r.checkNumber, "1001");
  EXPECT_EQ(r.lines.size(), 2u);
  EXPECT_EQ(r.lines[1].source, 1);
}

TEST(X12, AFileCutShortOrMalformedIsRefusedNamingTheLine) {
  EXPECT_EQ(errorOf(kIsa.substr(0, 60)), "Line 1: an X12 file starts with a whole ISA segment.");
  EXPECT_EQ(errorOf(kIsa + kBody),
            "Line 14: the file ends before its IEA segment: it is cut short.");
  EXPECT_EQ(errorOf(kIsa + kBody.substr(0, kBody.find("SE*")) + "SE*12"),
            "Line 14: the segment SE* is not ended by '~'.");
  std::string lost = kIsa + kBody + kTrailer;
  lost.erase(lost.find("DTM"), lost.find("ENT*2") - lost.find("DTM"));
  EXPECT_EQ(errorOf(lost),
            "Line 13: SE counts 12 segments where the set has 11: the file is not whole.");
  std::string pipes = kIsa + kBody + kTrailer;
  pipes.replace(pipes.find("TRN*1*1001"), 10, "TRN|1|1001");
  EXPECT_EQ(errorOf(pipes),
            "Line 5: \"TRN|1|1001\" is no segment: are its separators the ones ISA names?");
  std::string bad = kIsa + kBody + kTrailer;
  bad.replace(bad.find("**270"), 5, "**27O");
  EXPECT_EQ(errorOf(bad), "Line 13: \"27O\" is not an amount (RMR04 paid).");
  std::string credit = kIsa + kBody + kTrailer;
  credit.replace(credit.find("RMR*IV*INV77"), 6, "RMR*CR");
  EXPECT_EQ(errorOf(credit), "Line 13: RMR qualifier CR: only invoices (IV) are read.");
}

}  // namespace
}  // namespace corvena::remit
