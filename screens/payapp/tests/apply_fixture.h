#pragma once
// Applying a payment as a clerk does: a new payment of the parent P1 entered
// on the screen, lines picked by reference number, amounts typed or paid with
// "Pay Document"; what the screen shows and refuses is read back.

#include <cmath>
#include <string>
#include <vector>

#include "platform/forms/headless_ui.h"
#include "platform/forms/messages.h"
#include "screens/payapp/payapp_apply.h"
#include "screens/payapp/payapp_save.h"
#include "screens/payapp/tests/payapp_fixture.h"

namespace corvena::payapp::testing {

class ApplyTest : public PayAppTest {
 protected:
  // A new payment of P1 with check number CHK1 and the given amount.
  std::unique_ptr<OpenScreen> openPayment(const std::string& amount) {
    auto s = open();
    EXPECT_TRUE(s->newBatch());
    EXPECT_TRUE(s->set("cCustId", "P1"));
    EXPECT_TRUE(s->set("cNARefNbr", "CHK1"));
    EXPECT_TRUE(s->set("cOrigDocAmt", amount));
    return s;
  }

  // Makes the line of the document current; fails the test when it is not listed.
  static void pick(OpenScreen& s, const std::string& ref) {
    const auto refs = s.column("cRefNbr");
    for (std::size_t i = 0; i < refs.size(); ++i) {
      if (refs[i] == ref) {
        ASSERT_TRUE(s.selectLine(static_cast<int>(i)));
        return;
      }
    }
    FAIL() << ref << " is not listed";
  }

  static bool enter(OpenScreen& s, const std::string& ref, const std::string& control,
                    const std::string& value) {
    pick(s, ref);
    return s.set(control, value);
  }

  static void payDocument(OpenScreen& s, const std::string& ref) {
    pick(s, ref);
    s.click("cbAutoApply");
  }

  // The column's text on the document's line.
  static std::string cell(OpenScreen& s, const std::string& ref, const std::string& control) {
    const auto refs = s.column("cRefNbr");
    const auto values = s.column(control);
    for (std::size_t i = 0; i < refs.size(); ++i)
      if (refs[i] == ref) return values[i];
    return "<not listed>";
  }

  // The column summed over every line, rounded to the cent.
  static double sum(OpenScreen& s, const std::string& control) {
    double total = 0;
    for (const auto& v : s.column(control)) total += std::stod(v);
    return std::round(total * 100) / 100;
  }

  // The header totals agree with the lines.
  static void expectTotalsMatchLines(OpenScreen& s) {
    const XHeader& h = s.app().bXHeader;
    EXPECT_DOUBLE_EQ(h.ApplyTotal, sum(s, "cCuryApplAmt"));
    EXPECT_DOUBLE_EQ(h.DiscTotal, sum(s, "cDiscAmt"));
    const double unapplied = s.app().bXNAHeader.OrigDocAmt - sum(s, "cCuryApplAmt");
    EXPECT_DOUBLE_EQ(h.UnAppliedAmt, std::round(unapplied * 100) / 100);
  }

  static const forms::ShownMessage& lastMessage(OpenScreen& s) {
    static const forms::ShownMessage none{"<no message>", -1, ""};
    const auto& all = s.ui().messages();
    return all.empty() ? none : all.back();
  }
};

}  // namespace corvena::payapp::testing
