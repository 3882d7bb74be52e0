// Entering values: the order of the checks, refusals and what they leave behind.
#include <cmath>

#include "platform/forms/messages.h"
#include "platform/forms/tests/order_screen.h"

namespace corvena::forms::testing {
namespace {

using EntryTest = OrderScreenTest;

TEST_F(EntryTest, ValueCheckSeesTheTextBeforeTheFieldChanges) {
  std::string seenText, fieldDuringCheck;
  s().c("cCustId").onValueCheck([&](std::string& text) {
    seenText = text;
    fieldDuringCheck = s().order.CustId.trimmed();
    return 0;
  });
  ASSERT_TRUE(s().set("cCustId", "acme"));
  EXPECT_EQ(seenText, "ACME");  // the upper-case mask has already applied
  EXPECT_EQ(fieldDuringCheck, "");
  EXPECT_EQ(s().order.CustId.trimmed(), "ACME");
}

TEST_F(EntryTest, HandlerMayRewriteTheTextItAccepts) {
  s().c("cCustId").onValueCheck([](std::string& text) {
    text = "BOLT";
    return 0;
  });
  ASSERT_TRUE(s().set("cCustId", "ACME"));
  EXPECT_EQ(s().show("cCustId"), "BOLT");
}

TEST_F(EntryTest, SilentRefusalLeavesRecordAndShowsNoFrameworkMessage) {
  s().order.CustId = "ACME";
  s().c("cCustId").onValueCheck([&](std::string&) {
    s().order.Amount = 99;  // a handler's side effect is undone as well
    return kSilentRefusal;
  });
  EXPECT_FALSE(s().set("cCustId", "BOLT"));
  EXPECT_EQ(s().order.CustId.trimmed(), "ACME");
  EXPECT_EQ(s().order.Amount, 0);
  EXPECT_TRUE(s().messages().empty());
  EXPECT_EQ(s().session.lastErrorLevel(), kSilentRefusal);
}

TEST_F(EntryTest, OtherRefusalLevelShowsTheFrameworkMessage) {
  s().c("cCustId").onValueCheck([](std::string&) { return 1; });
  EXPECT_FALSE(s().set("cCustId", "BOLT"));
  ASSERT_EQ(s().messages().size(), 1u);
  EXPECT_EQ(s().messages()[0], formatMessage(kMsgEntryRefused, {"Customer"}));
  EXPECT_TRUE(s().order.CustId.blank());
}

TEST_F(EntryTest, RuntimeErrorInHandlerIsReportedAndRefuses) {
  s().c("cCustId").onValueCheck(
      [](std::string&) -> int { throw RuntimeError(91, "Object not set"); });
  EXPECT_FALSE(s().set("cCustId", "BOLT"));
  ASSERT_EQ(s().messages().size(), 1u);
  EXPECT_NE(s().messages()[0].find("Object not set"), std::string::npos);
  EXPECT_TRUE(s().order.CustId.blank());
}

TEST_F(EntryTest, MaskRefusesBeforeValueCheckRuns) {
  bool called = false;
  s().c("cOrderNbr").onValueCheck([&](std::string&) {
    called = true;
    return 0;
  });
  EXPECT_FALSE(s().set("cOrderNbr", "12A4"));
  EXPECT_FALSE(s().set("cOrderNbr", "12345678901"));  // longer than the mask
  EXPECT_FALSE(called);
  EXPECT_EQ(s().messages().size(), 2u);
}

TEST_F(EntryTest, BlankRequiredFieldIsRefused) {
  s().order.CustId = "ACME";
  EXPECT_FALSE(s().set("cCustId", "   "));
  EXPECT_EQ(s().messages().back(), formatMessage(kMsgFieldRequired, {"Customer"}));
  EXPECT_EQ(s().order.CustId.trimmed(), "ACME");
}

TEST_F(EntryTest, PossibleValueMustBeFound) {
  EXPECT_FALSE(s().set("cCustId", "ZED"));
  EXPECT_EQ(s().messages().back(), formatMessage(kMsgNotInList, {"ZED", "Customer"}));
  EXPECT_TRUE(s().set("cCustId", "crane"));
  EXPECT_EQ(s().order.CustId.trimmed(), "CRANE");
}

TEST_F(EntryTest, FloatsParseStrictlyWithinMinAndMax) {
  EXPECT_FALSE(s().set("cAmount", "12,5"));
  EXPECT_FALSE(s().set("cAmount", "1e3"));
  EXPECT_FALSE(s().set("cAmount", "-1"));
  EXPECT_FALSE(s().set("cAmount", "1000.01"));
  EXPECT_EQ(s().messages().back(),
            formatMessage(kMsgOutOfRange, {"1000.01", "Amount", "0", "1000"}));
  EXPECT_TRUE(s().set("cAmount", "1000"));
  EXPECT_TRUE(s().set("cAmount", "12.5"));
  EXPECT_EQ(s().show("cAmount"), "12.50");
}

TEST_F(EntryTest, AmountsRoundToTheCurrencyOnEntry) {
  ASSERT_TRUE(s().set("cAmount", "0.005"));
  EXPECT_EQ(s().order.Amount, 0.01);
  s().session.setProperty(s().c("cAmount"), "min", "-1");
  for (const char* dust : {"0.004", "0.000000001", "-0.004"}) {
    ASSERT_TRUE(s().set("cAmount", "5"));
    ASSERT_TRUE(s().set("cAmount", dust));
    EXPECT_EQ(s().order.Amount, 0) << dust;
    EXPECT_FALSE(std::signbit(s().order.Amount)) << dust;
  }
}

TEST_F(EntryTest, AmountsNoDoubleHoldsAreRefusedWithAShortMessage) {
  s().session.setProperty(s().c("cAmount"), "max", "");
  s().set("cAmount", "7");
  for (const std::string& text : {std::string(310, '9'), std::string(30000, '9'),
                                  std::string("nan"), std::string("inf"), std::string("1e999")}) {
    EXPECT_FALSE(s().set("cAmount", text));
    EXPECT_LT(s().messages().back().size(), 100u);
  }
  EXPECT_EQ(s().order.Amount, 7);
}

TEST_F(EntryTest, ControlCharactersAndBrokenUtf8AreRefusedNamingTheField) {
  for (const std::string& text : {std::string("AC\x01ME"), std::string("AC\0ME", 5),
                                  std::string("AC\xC3\x28"), std::string("\xED\xA0\x80"),
                                  std::string("\xC0\xAF")}) {
    EXPECT_FALSE(s().set("cCustId", text));
    EXPECT_EQ(s().messages().back(), formatMessage(kMsgUntypable, {"Customer"}));
  }
  EXPECT_TRUE(s().order.CustId.blank());
}

TEST_F(EntryTest, DatesParseStrictly) {
  EXPECT_FALSE(s().set("cOrderDate", "2025-02-30"));
  EXPECT_FALSE(s().set("cOrderDate", "14/03/2025"));
  EXPECT_TRUE(s().set("cOrderDate", "2024-02-29"));
  EXPECT_EQ(s().show("cOrderDate"), "2024-02-29");
  EXPECT_TRUE(s().set("cOrderDate", ""));
  EXPECT_EQ(s().show("cOrderDate"), "");
}

TEST_F(EntryTest, ComboTakesValueOrCaptionFromItsList) {
  EXPECT_TRUE(s().set("cStatus", "Closed"));
  EXPECT_EQ(s().show("cStatus"), "C");
  EXPECT_TRUE(s().set("cStatus", "o"));
  EXPECT_EQ(s().show("cStatus"), "O");
  EXPECT_FALSE(s().set("cStatus", "X"));
}

TEST_F(EntryTest, DisabledControlTakesNoEntry) {
  EXPECT_FALSE(s().set("cTotal", "5"));
  s().session.setProperty(s().c("cTotal"), "enabled", "-1");
  EXPECT_TRUE(s().set("cTotal", "5"));
}

TEST_F(EntryTest, ValueDisplayedFollowsTheStore) {
  std::string seen;
  s().c("cCustId").onValueDisplayed([&] { seen = s().order.CustId.trimmed(); });
  ASSERT_TRUE(s().set("cCustId", "BOLT"));
  EXPECT_EQ(seen, "BOLT");
}

TEST_F(EntryTest, UnknownKeyStartsANewRecordWithDefaults) {
  s().order.CustId = "ACME";
  ASSERT_TRUE(s().set("cOrderNbr", "77"));
  EXPECT_EQ(s().order.OrderNbr.trimmed(), "77");
  EXPECT_TRUE(s().order.CustId.blank());
  EXPECT_EQ(s().show("cStatus"), "O");
  EXPECT_EQ(s().show("cOrderDate"), "2025-03-14");
  EXPECT_EQ(s().session.updates().levelChange(0), kLineInserted);
}

TEST_F(EntryTest, KeyListedByAnotherListMustBeInIt) {
  s().session.setProperty(s().c("cOrderNbr"), "pv", "\"TCust_All\",");
  EXPECT_FALSE(s().set("cOrderNbr", "77"));
  EXPECT_TRUE(s().order.OrderNbr.blank());
}

TEST_F(EntryTest, KnownKeyReadsTheRow) {
  addOrder("0000000005", "BOLT", 40);
  ASSERT_TRUE(s().set("cOrderNbr", "0000000005"));
  EXPECT_EQ(s().show("cCustId"), "BOLT");
  EXPECT_EQ(s().show("cAmount"), "40.00");
  EXPECT_EQ(s().session.updates().levelChange(0), kLineUnchanged);
}

TEST_F(EntryTest, ButtonsRaiseClicksAndLabelsShowCaptions) {
  int clicks = 0;
  s().c("cmdGo").onClick([&] { ++clicks; });
  EXPECT_TRUE(s().session.click(s().c("cmdGo")));
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(s().show("lTitle"), "Orders");
}

}  // namespace
}  // namespace corvena::forms::testing
