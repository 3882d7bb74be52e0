// Check boxes and option groups: the values they take, by entry and by click.
#include <gtest/gtest.h>

#include "platform/forms/headless_ui.h"
#include "platform/forms/session.h"

#define CHOICE_FIELDS(F) F(INT16, Hold, 0) F(TEXT, SearchType, 1)
CORVENA_RECORD(ChoiceRec, CHOICE_FIELDS)
CORVENA_RECORD_LAYOUT(ChoiceRec, CHOICE_FIELDS)

namespace corvena::forms {
namespace {

class ChoiceTest : public ::testing::Test {
 protected:
  ChoiceTest() {
    using C = ControlClass;
    form_ = &session_.loadForm(
        {"F",
         "Choices",
         {{.cls = C::Check, .name = "cHold", .fieldname = "bchoice.hold", .caption = "Hold"},
          {.cls = C::OptionGroup,
           .name = "optSearchType",
           .fieldname = "bchoice.searchtype",
           .list = "I;Invoice,P;Payment,C;Check"}}});
    blankRecord(rec_);
    session_.bindRecord(15, "bChoice", rec_, {});
  }
  Session session_;
  Form* form_;
  ChoiceRec rec_{};
};

TEST_F(ChoiceTest, CheckBoxTakesOnAndOffAndTogglesOnClick) {
  Control& hold = form_->control("cHold");
  EXPECT_TRUE(session_.enterValue(hold, "true"));
  EXPECT_EQ(rec_.Hold, 1);
  EXPECT_FALSE(session_.enterValue(hold, "maybe"));
  EXPECT_EQ(rec_.Hold, 1);
  EXPECT_TRUE(session_.click(hold));
  EXPECT_EQ(rec_.Hold, 0);
  EXPECT_EQ(session_.displayText(hold), "0");
}

TEST_F(ChoiceTest, OptionGroupTakesOnlyItsValues) {
  Control& opt = form_->control("optSearchType");
  std::string seen;
  opt.onValueCheck([&](std::string& v) {
    seen = v;
    return 0;
  });
  EXPECT_TRUE(session_.enterValue(opt, "Payment"));
  EXPECT_EQ(seen, "P");
  EXPECT_EQ(session_.displayText(opt), "P");
  EXPECT_FALSE(session_.enterValue(opt, "X"));
  EXPECT_EQ(session_.displayText(opt), "P");
}

}  // namespace
}  // namespace corvena::forms
