// The headless tour's transfer step on the demo company, as scripts/run takes
// it: the credit memo moves between customers in AR and nowhere else.
#include <fstream>
#include <sstream>

#include "platform/demo/demo_data.h"
#include "screens/transfer/tests/transfer_fixture.h"

namespace corvena::transfer::testing {
namespace {

class Tour : public TransferTest {
 protected:
  void SetUp() override {
    TransferTest::SetUp();
    path_ = dir_.database("demo.db");
    demo::fillDemo(*db::Database::create(path_));
    user_ = "SYSADMIN";
    company_ = "DEMO";
    date_ = demo::kDemoToday.iso();
  }
};

std::string tourScript() {
  std::ifstream in(CORVENA_TOUR_SCRIPT);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST_F(Tour, TheCreditMemoMovesToTwoStoresWithoutTouchingCash) {
  const std::string out = run(tourScript());
  EXPECT_EQ(out.find("FAIL"), std::string::npos) << out;
  EXPECT_NE(out.find("SHOW cStatus: C"), std::string::npos) << out;
  EXPECT_EQ(rows("select g.Acct, printf('%.2f', sum(g.DrAmt) - sum(g.CrAmt)) from GLTran g"
                 " join XNATranHdr h on h.ARBatNbr = g.BatNbr group by g.Acct order by g.Acct"),
            (Rows{"1200|0.00", "4800|0.00"}));
}

}  // namespace
}  // namespace corvena::transfer::testing
