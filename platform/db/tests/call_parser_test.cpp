#include <gtest/gtest.h>

#include "platform/db/database.h"

namespace corvena::db {
namespace {

std::string text(const Value& v) { return std::get<std::string>(v); }

TEST(CallParser, ProcedureWithCommaSeparatedLiterals) {
  Call c = parseCall("XNACustS_Primary '%', " + textLiteral("C100   "));
  EXPECT_EQ(c.procedure, "XNACustS_Primary");
  ASSERT_EQ(c.params.size(), 2u);
  EXPECT_EQ(text(c.params[0]), "%");
  EXPECT_EQ(text(c.params[1]), "C100");
}

TEST(CallParser, LiteralWrittenByHandDirectlyBeforeParameterStaysSeparate) {
  Call c = parseCall("ARDoc_CpnyID_Type_Ref2 '%'" + textLiteral("%") + "'PA'" + textLiteral("CMAB01"));
  ASSERT_EQ(c.params.size(), 4u);
  EXPECT_EQ(text(c.params[0]), "%");
  EXPECT_EQ(text(c.params[1]), "%");
  EXPECT_EQ(text(c.params[2]), "PA");
  EXPECT_EQ(text(c.params[3]), "CMAB01");
}

TEST(CallParser, NumbersFollowTextWithoutSeparator) {
  Call c = parseCall("XNAUpdateFinChrg " + textLiteral("P1") + intLiteral(1) + intLiteral(0) +
                     floatLiteral(2.5));
  ASSERT_EQ(c.params.size(), 4u);
  EXPECT_EQ(std::get<std::int64_t>(c.params[1]), 1);
  EXPECT_EQ(std::get<std::int64_t>(c.params[2]), 0);
  EXPECT_DOUBLE_EQ(std::get<double>(c.params[3]), 2.5);
}

TEST(CallParser, QuotesAndBackslashesSurviveTheRoundTrip) {
  const std::string nasty = "x' or '1'='1 \\ end";
  Call c = parseCall("Customer_all " + textLiteral(nasty));
  ASSERT_EQ(c.params.size(), 1u);
  EXPECT_EQ(text(c.params[0]), nasty);
}

TEST(CallParser, PlainSqlLiteralsBecomeBoundParameters) {
  Call c = parseCall("select * from customer where custid = " + textLiteral("O'Brien") +
                     " and status <> 'H'");
  EXPECT_TRUE(c.procedure.empty());
  EXPECT_EQ(c.sql, "select * from customer where custid = ?1 and status <> ?2");
  ASSERT_EQ(c.params.size(), 2u);
  EXPECT_EQ(text(c.params[0]), "O'Brien");
}

TEST(CallParser, KeywordsInAnyCaseMeanPlainSql) {
  EXPECT_TRUE(parseCall("SELECT  * FROM XNASetup").procedure.empty());
  EXPECT_TRUE(parseCall("Update xnacustp set statement = 0").procedure.empty());
  EXPECT_EQ(parseCall("arsetup_all").procedure, "arsetup_all");
  EXPECT_TRUE(parseCall("arsetup_all").params.empty());
}

TEST(CallParser, UnterminatedLiteralIsAnError) {
  EXPECT_THROW(parseCall("Customer_all 'abc"), DbError);
  EXPECT_THROW(parseCall("Customer_all abc"), DbError);
}

TEST(Literals, DatesAndTrailingBlanks) {
  EXPECT_EQ(dateLiteral(Date{2026, 12, 6}), "'2026-12-06'");
  EXPECT_EQ(textLiteral("AB   "), "'AB'");
  EXPECT_EQ(textLiteral("  AB"), "'  AB'");
}

}  // namespace
}  // namespace corvena::db
