// Entering a child: never the parent itself, never a child of another national
// account; the same child under this parent is accepted and shows its customer.
#include "screens/customer/tests/customer_fixture.h"

namespace corvena::qm18100::testing {

TEST_F(CustomerSetup, ChildThatIsTheParentIsRefused) {
  auto s = open();
  ASSERT_TRUE(s->set("cPrimaryCustId", "P1"));
  for (const char* typed : {"P1", "p1  "}) {
    s->ui().clear();
    EXPECT_FALSE(s->addChild(typed)) << typed;
    ASSERT_EQ(s->ui().messages().size(), 1u) << typed;
    const auto& box = s->ui().messages().front();
    EXPECT_EQ(box.text, "The child customer cannot be the same as the parent Customer.");
    EXPECT_EQ(box.style, 48);
    EXPECT_EQ(box.caption, "Warning");
  }
  EXPECT_TRUE(s->children().empty());
}

TEST_F(CustomerSetup, ChildOfAnotherNationalAccountIsRefusedNamingIt) {
  auto s = open();
  ASSERT_TRUE(s->set("cPrimaryCustId", "P1"));
  for (const char* typed : {"C4", "C4   "}) {
    s->ui().clear();
    EXPECT_FALSE(s->addChild(typed)) << typed;
    EXPECT_EQ(s->messages(),
              std::vector<std::string>{"This customer is already part of National Account : P2"});
  }
  EXPECT_EQ(s->session().lastErrorLevel(), 32000);
}

TEST_F(CustomerSetup, SameChildUnderThisParentIsAccepted) {
  auto s = open();
  ASSERT_TRUE(s->set("cPrimaryCustId", "P2"));
  ASSERT_TRUE(s->session().grids().selectLine(s->grid(), 0));
  EXPECT_TRUE(s->set("cSecondaryCustId", "C4"));
  EXPECT_TRUE(s->messages().empty());
}

TEST_F(CustomerSetup, AcceptedChildShowsItsCustomer) {
  auto s = open();
  ASSERT_TRUE(s->set("cPrimaryCustId", "P1"));
  ASSERT_TRUE(s->addChild("C1"));
  EXPECT_EQ(s->shown("cName"), "Customer C1");
  EXPECT_EQ(s->shown("cCity"), "City C1");
  EXPECT_EQ(s->shown("cState"), "ST");
}

}  // namespace corvena::qm18100::testing
