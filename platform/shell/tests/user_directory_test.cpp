// Users sign on by password or by the ticket of the sign-on that started them,
// and get the rights of their own and their groups' grants.
#include "platform/shell/user_directory.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/db/tests/test_database.h"
#include "platform/forms/session.h"
#include "platform/shell/session_sign_on.h"

namespace corvena::shell {
namespace {

using namespace std::chrono_literals;
using forms::ScreenRights;

class Users : public ::testing::Test {
 protected:
  void SetUp() override {
    db_ = db::Database::create(dir_.file("company.db"));
    db_->exec("INSERT INTO Company (CpnyID, CpnyName) VALUES ('C1', 'Company One')");
    users().addUser("ANN", "Ann", "right horse", false);
  }
  void TearDown() override { ::unsetenv("CORVENA_TICKET"); }
  UserDirectory users() { return UserDirectory(*db_); }
  std::optional<SignOnRefusal> signOn(forms::Session& s, const std::string& user,
                                      const std::string& password, const std::string& ticket = "") {
    return signOnSession(s, {dir_.file("company.db"), user, "C1", Date{2026, 12, 7}, password, ticket},
                         "QM18300");
  }
  db::testing::ScratchDir dir_;
  std::unique_ptr<db::Database> db_;
  const Clock now_ = std::chrono::system_clock::now();
};

TEST_F(Users, AWrongUserOrPasswordIsRefusedAlikeAndOnlyAHashIsKept) {
  users().grant("ANN", "QM18300", "V");
  forms::Session s;
  EXPECT_EQ(signOn(s, "ANN", "")->text.rfind("Sign on with your password", 0), 0u);
  EXPECT_EQ(signOn(s, "ANN", "wrong horse")->text, kWrongSignOn);
  EXPECT_EQ(signOn(s, "NOBODY", "right horse")->text, kWrongSignOn);
  EXPECT_EQ(signOn(s, "ANN", "right horse"), std::nullopt);
  auto st = db_->prepare("SELECT PasswordHash FROM SecUser WHERE UserId = 'ANN'");
  ASSERT_TRUE(st.step());
  const std::string hash = std::get<std::string>(st.column(0));
  EXPECT_EQ(hash.find("right horse"), std::string::npos);
  EXPECT_EQ(hash.rfind("$argon2", 0), 0u);
}

// The right password does not help while the user is held off, nor says so.
TEST_F(Users, RepeatedFailuresHoldTheUserOffLongerEachTime) {
  for (int i = 0; i < kFreeFailures; ++i) EXPECT_FALSE(users().checkPassword("ANN", "guess", now_));
  EXPECT_FALSE(users().checkPassword("ANN", "right horse", now_));
  EXPECT_TRUE(users().checkPassword("ANN", "right horse", now_ + 2s));
  for (int i = 0; i < kFreeFailures; ++i) users().checkPassword("ANN", "guess", now_ + 3s);
  EXPECT_FALSE(users().checkPassword("ANN", "guess", now_ + 5s));  // held 2 s from here
  EXPECT_FALSE(users().checkPassword("ANN", "right horse", now_ + 6s));
  EXPECT_TRUE(users().checkPassword("ANN", "right horse", now_ + 8s));
}

TEST_F(Users, ATicketSignsOnItsOwnUserUntilItExpires) {
  users().addUser("BOB", "Bob", "other", false);
  const std::string ticket = users().issueTicket("ANN", now_);
  EXPECT_TRUE(users().checkTicket("ANN", ticket, now_ + 11h));
  EXPECT_FALSE(users().checkTicket("BOB", ticket, now_));
  EXPECT_FALSE(users().checkTicket("ANN", ticket, now_ + 13h));
  EXPECT_FALSE(users().checkTicket("ANN", "", now_));
}

// A password sign-on hands a ticket on, so the screens it starts need no password.
TEST_F(Users, ThePasswordSignOnHandsOnATicketAndTheScreensRights) {
  users().grant("ANN", "QM18300", "VIU");
  forms::Session first, second, third;
  ASSERT_EQ(signOn(first, "ANN", "right horse"), std::nullopt);
  EXPECT_EQ(first.rights(), ScreenRights::fromLetters("VIU"));
  const char* ticket = std::getenv("CORVENA_TICKET");
  ASSERT_NE(ticket, nullptr);
  EXPECT_EQ(signOn(second, "ANN", "", ticket), std::nullopt);
  users().revoke("ANN", "18300");
  EXPECT_EQ(signOn(third, "ANN", "", ticket)->number, kNoRights);
}

TEST_F(Users, RightsAreTheUnionOfTheUsersAndItsGroupsGrants) {
  users().addUser("BOSS", "Boss", "x", true);
  users().addToGroup("CLERKS", "ANN");
  users().grant("CLERKS", "QM18300", "vi");
  users().grant("ANN", "*", "V");
  users().grant("ANN", "0803000", "UD");
  EXPECT_EQ(users().rightsOn("ANN", "18300").letters(), "VI");
  EXPECT_EQ(users().rightsOn("ANN", "0803000").letters(), "VUD");
  EXPECT_EQ(users().rightsOn("ANN", "QM18100").letters(), "V");
  EXPECT_EQ(users().rightsOn("BOSS", "QM18100").letters(), "VIUDR");
}

TEST(NoUsers, ACompanyWithoutUsersSignsAnyoneOnWithEveryRight) {
  db::testing::ScratchDir dir;
  db::Database::create(dir.file("company.db"))->exec("INSERT INTO Company (CpnyID) VALUES ('C1')");
  forms::Session s;
  EXPECT_EQ(signOnSession(s, {dir.file("company.db"), "ANYONE", "C1", Date{2026, 12, 7}}, "QM18300"),
            std::nullopt);
  EXPECT_EQ(s.rights(), ScreenRights{});
}

}  // namespace
}  // namespace corvena::shell
