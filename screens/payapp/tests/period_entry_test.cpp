// The period to post is a period of the company's fiscal calendar.

#include "platform/forms/messages.h"
#include "screens/payapp/tests/payapp_fixture.h"

namespace corvena::payapp::testing {
namespace {

class PeriodEntry : public PayAppTest {};

TEST_F(PeriodEntry, OnlyPeriodsOfTheGLSetupsCalendarAreTaken) {
  db_->exec("update GLSetup set NbrPer = 13");
  auto s = open();
  ASSERT_TRUE(s->newBatch());
  const std::string before = s->app().bXNAHeader.PerPost.trimmed();
  for (const std::string& typed :
       {std::string("'"), std::string("-1"), std::string("%"), std::string("2026\0" "1", 6),
        std::string("20261\xFF"), std::string("202600"), std::string("202614"),
        std::string("18991201"), std::string("189912")}) {
    EXPECT_FALSE(s->set("cPerPost", typed)) << typed;
    EXPECT_EQ(s->app().bXNAHeader.PerPost.trimmed(), before);
  }
  EXPECT_EQ(s->messages().back(),
            forms::formatMessage(forms::kMsgBadPeriod, {"189912", "Period to Post", "13"}));
  EXPECT_TRUE(s->set("cPerPost", "202613"));
  EXPECT_EQ(s->app().bXNAHeader.PerPost.trimmed(), "202613");
}

}  // namespace
}  // namespace corvena::payapp::testing
