// The texts controls carry: procedure references, levels, lists, properties.
#include <gtest/gtest.h>

#include "platform/forms/control.h"
#include "platform/forms/proc_ref.h"
#include "platform/forms/runtime_error.h"
#include "platform/forms/session.h"
#include "platform/forms/update_levels.h"

namespace corvena::forms {
namespace {

TEST(ProcRefTest, PlainName) {
  const ProcRef r = parseProcRef("account_all");
  EXPECT_EQ(r.procedure, "account_all");
  EXPECT_TRUE(r.args.empty());
}

TEST(ProcRefTest, QuotedNameWithFieldArguments) {
  const ProcRef r = parseProcRef(R"("xNAHeader_all", "bpes.cpnyid"; 0; 0; 0; 0,)");
  EXPECT_EQ(r.procedure, "xNAHeader_all");
  ASSERT_EQ(r.args.size(), 1u);
  EXPECT_TRUE(r.args[0].isField);
  EXPECT_EQ(r.args[0].text, "bpes.cpnyid");
}

TEST(ProcRefTest, LiteralArgumentsPassAsTheyStand) {
  const ProcRef r = parseProcRef(
      R"("XNAShowAllClosedDocsForParent", "bXNAHeader.CustID"; 0; 0; 0; 0,"bXNAHeader.CustID"; 0; 0; 0; 0, CM; 0; 127; 0; 0,)");
  ASSERT_EQ(r.args.size(), 3u);
  EXPECT_FALSE(r.args[2].isField);
  EXPECT_EQ(r.args[2].text, "CM");
}

TEST(ProcRefTest, AQuotedPatternIsALiteral) {
  const ProcRef r = parseProcRef(R"("AcctSub_Acct", "bardoc.cpnyid"; 0; 0; 0; 0, "%"; 0; 127; 0; 0,)");
  ASSERT_EQ(r.args.size(), 2u);
  EXPECT_TRUE(r.args[0].isField);
  EXPECT_FALSE(r.args[1].isField);
  EXPECT_EQ(r.args[1].text, "%");
}

TEST(LevelsTest, NamesAndKinds) {
  const auto l = parseLevels("Header;N,Detail;DA");
  ASSERT_EQ(l.size(), 2u);
  EXPECT_EQ(l[0].name, "Header");
  EXPECT_FALSE(l[0].isGrid());
  EXPECT_TRUE(l[1].isGrid());
  EXPECT_TRUE(parseLevels("NASetup;C")[0].singleRow());
}

TEST(ListTest, ValuesAndCaptions) {
  const auto items = parseList("O;Open,P;Partially Released,C;Closed");
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(items[1].value, "P");
  EXPECT_EQ(items[1].caption, "Partially Released");
}

TEST(ControlPropertyTest, ReadAndWrittenByNameAsText) {
  Session session;
  Form& form = session.loadForm(
      FormDesc{"F", "", {{.cls = ControlClass::Float, .name = "cAmt", .min = 0.0}}});
  Control& c = form.control("cAmt");
  EXPECT_EQ(c.property("ENABLED"), "1");
  c.setProperty("enabled", "false");
  EXPECT_FALSE(c.enabled());
  c.setProperty("Max", "99.5");
  EXPECT_EQ(c.property("max"), "99.5");
  EXPECT_EQ(c.property("min"), "0");
  EXPECT_THROW(c.setProperty("colour", "red"), RuntimeError);
  EXPECT_THROW(c.setProperty("max", "lots"), RuntimeError);
}

}  // namespace
}  // namespace corvena::forms
