// The headless tour's step on the demo company: the child is linked, the
// national account is shown with it, and the demo company is left as it was.
#include <fstream>
#include <sstream>

#include "platform/demo/demo_data.h"
#include "screens/customer/tests/customer_fixture.h"

namespace corvena::qm18100::testing {

namespace {

std::string tourScript() {
  std::ifstream in(CORVENA_TOUR_SCRIPT);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

TEST_F(CustomerSetup, TourLinksAChildAndShowsTheNationalAccount) {
  const std::string demoPath = scratch_.database("demo.db");
  auto demoDb = db::Database::create(demoPath);
  demo::fillDemo(*demoDb);
  const auto links = [&] {
    std::vector<std::string> out;
    auto st = demoDb->run("select PrimaryCustId, SecondaryCustid from XNACustS order by 1, 2");
    while (st.step()) out.push_back(std::get<std::string>(st.column(1)));
    return out;
  };
  const auto linksBefore = links();
  auto s = std::make_unique<OpenScreen>(demoPath, "SYSADMIN", demo::kDemoToday, "DEMO");
  EXPECT_EQ(s->run(tourScript()), 0) << s->output();
  const std::string out = s->output();
  EXPECT_NE(out.find("SHOW cPrimaryCustId: NATL-HOTEL"), std::string::npos) << out;
  EXPECT_NE(out.find("DELTA | Delta Office Supply"), std::string::npos) << out;
  EXPECT_EQ(out.find("MESSAGE"), std::string::npos) << out;
  EXPECT_EQ(links(), linksBefore);
}

}  // namespace corvena::qm18100::testing
