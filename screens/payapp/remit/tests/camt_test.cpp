// Bank notifications of a check with structured remittance (camt.054, and the
// same entry in a camt.053 statement), and broken ones refused naming the line.

#include <gtest/gtest.h>

#include "screens/payapp/remit/remit_camt.h"
#include "screens/payapp/remit/tests/refusal.h"

namespace corvena::remit {
namespace {

const std::string kEntry = R"(    <Ntry>
      <Amt Ccy="USD">1250.00</Amt>
      <CdtDbtInd>CRDT</CdtDbtInd>
      <BookgDt><Dt>2026-03-05</Dt></BookgDt>
      <NtryDtls>
        <TxDtls>
          <Refs><ChqNb>1001</ChqNb></Refs>
          <RltdPties>
            <Dbtr><Pty><Nm>Acme Corp</Nm><Id><OrgId><Othr><Id>P1</Id></Othr></OrgId></Id></Pty></Dbtr>
            <UltmtDbtr><Pty><Nm>Acme Store 1</Nm><Id><OrgId><Othr><Id>C1</Id></Othr></OrgId></Id></Pty></UltmtDbtr>
          </RltdPties>
          <RmtInf>
            <Strd>
              <RfrdDocInf><Tp><CdOrPrtry><Cd>CINV</Cd></CdOrPrtry></Tp><Nb>000123</Nb><RltdDt>2026-02-01</RltdDt></RfrdDocInf>
              <RfrdDocAmt>
                <DuePyblAmt Ccy="USD">1000.00</DuePyblAmt>
                <DscntApldAmt><Tp><Cd>PPAY</Cd></Tp><Amt Ccy="USD">20.00</Amt></DscntApldAmt>
                <RmtdAmt Ccy="USD">980.00</RmtdAmt>
              </RfrdDocAmt>
            </Strd>
          </RmtInf>
        </TxDtls>
        <TxDtls>
          <Refs><ChqNb>1001</ChqNb></Refs>
          <RltdPties><UltmtDbtr><Nm>Acme Store 2</Nm></UltmtDbtr></RltdPties>
          <RmtInf>
            <Strd>
              <RfrdDocInf><Nb>INV77</Nb></RfrdDocInf>
              <RfrdDocAmt><DscntApldAmt Ccy="USD">0</DscntApldAmt><RmtdAmt Ccy="USD">270</RmtdAmt></RfrdDocAmt>
            </Strd>
          </RmtInf>
        </TxDtls>
      </NtryDtls>
    </Ntry>
)";

std::string notification(const std::string& entries) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<Document xmlns=\"urn:iso:std:iso:20022:tech:xsd:camt.054.001.08\">\n"
         "<BkToCstmrDbtCdtNtfctn><GrpHdr><MsgId>N1</MsgId></GrpHdr>\n"
         "  <Ntfctn><Id>N1</Id><Acct><Id><Othr><Id>ACCT</Id></Othr></Id></Acct>\n" +
         entries + "  </Ntfctn>\n</BkToCstmrDbtCdtNtfctn>\n</Document>\n";
}

std::string errorOf(std::string_view text) { return testing::refusalOf(readCamt, text); }

TEST(Camt, TheEntryIsTheCheckTheDebtorThePayerTheUltimateDebtorsTheStores) {
  const auto r = readCamt(notification(kEntry));
  EXPECT_EQ(r.payer, "P1");
  EXPECT_EQ(r.checkNumber, "1001");
  EXPECT_EQ(r.checkAmount, 125000);
  EXPECT_EQ(r.checkDate.iso(), "2026-03-05");
  ASSERT_EQ(r.lines.size(), 2u);
  EXPECT_EQ(r.lines[0].store, "C1");
  EXPECT_EQ(r.lines[0].reference, "000123");
  EXPECT_EQ(r.lines[0].invoiceDate.iso(), "2026-02-01");
  EXPECT_EQ(r.lines[0].gross, 100000);
  EXPECT_EQ(r.lines[0].discount, 2000);
  EXPECT_EQ(r.lines[0].paid, 98000);
  EXPECT_EQ(r.lines[0].source, 17);
  EXPECT_EQ(r.lines[1].store, "Acme Store 2");
  EXPECT_EQ(r.lines[1].reference, "INV77");
  EXPECT_EQ(r.lines[1].paid, 27000);
}

// A statement lists every credit of the day: the chain's is the one with remittance.
TEST(Camt, AStatementsEntryWithRemittanceIsTheCheck) {
  std::string statement = notification(
      "    <Ntry><Amt Ccy=\"USD\">75.00</Amt><BookgDt><Dt>2026-03-05</Dt></BookgDt></Ntry>\n" +
      kEntry);
  for (auto [from, to] : {std::pair{"camt.054.001.08", "camt.053.001.08"},
                          std::pair{"BkToCstmrDbtCdtNtfctn", "BkToCstmrStmt"},
                          std::pair{"BkToCstmrDbtCdtNtfctn", "BkToCstmrStmt"},
                          std::pair{"Ntfctn>", "Stmt>"}, std::pair{"Ntfctn>", "Stmt>"}})
    statement.replace(statement.find(from), std::string(from).size(), to);
  const auto r = readCamt(statement);
  EXPECT_EQ(r.checkAmount, 125000);
  EXPECT_EQ(r.lines.size(), 2u);
  EXPECT_EQ(errorOf(notification(kEntry + kEntry)),
            "Line 39: a second check (entry): one check is imported at a time.");
}

TEST(Camt, BrokenXmlOrABadAmountIsRefusedNamingTheLine) {
  const std::string whole = notification(kEntry);
  EXPECT_EQ(errorOf(whole.substr(0, whole.find("</RfrdDocAmt>"))),
            "Line 23: the XML is broken: Premature end of document.");
  std::string bad = whole;
  bad.replace(bad.find("980.00"), 6, "98,0.0");
  EXPECT_EQ(errorOf(bad), "Line 22: \"98,0.0\" is not an amount (amount remitted).");
  EXPECT_EQ(errorOf(notification("")), "The file has no entry with structured remittance.");
}

}  // namespace
}  // namespace corvena::remit
