// Users sign on by password or by the ticket of the sign-on that started them,
// and get the rights of their own and their groups' grants.
#include "platform/signon/user_directory.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

#include "platform/db/tests/test_database.h"
#include "platform/forms/session.h"
#include "platform/signon/password_hash.h"
#include "platform/signon/company_sign_on.h"

namespace corvena::signon {
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
  static constexpr unsigned kUnixAnn = 1001;
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

// A ticket is issued to a company user and a Unix user: anyone else who shows it,
// read from the presence file or the environment, is refused.
TEST_F(Users, ATicketSignsOnItsOwnUserAndUnixUserUntilItExpires) {
  users().addUser("BOB", "Bob", "other", false);
  const std::string ticket = users().issueTicket("ANN", now_, kUnixAnn);
  EXPECT_TRUE(users().checkTicket("ANN", ticket, now_ + 11h, kUnixAnn));
  EXPECT_FALSE(users().checkTicket("ANN", ticket, now_, kUnixAnn + 1));
  EXPECT_FALSE(users().checkTicket("BOB", ticket, now_, kUnixAnn));
  EXPECT_FALSE(users().checkTicket("ANN", ticket, now_ + 13h, kUnixAnn));
  EXPECT_FALSE(users().checkTicket("ANN", "", now_, kUnixAnn));
}

// A ticket is a sign-on already made: a new password, a right taken away or the
// user's removal ends it; a right given leaves it.
TEST_F(Users, TakingAwayAPasswordOrRightsEndsTheUsersTickets) {
  users().addToGroup("CLERKS", "ANN");
  users().grant("CLERKS", "QM18300", "VIU");
  const auto endsTicket = [&](const std::function<void()>& change) {
    const std::string ticket = users().issueTicket("ANN", now_, kUnixAnn);
    change();
    return !users().checkTicket("ANN", ticket, now_, kUnixAnn);
  };
  EXPECT_FALSE(endsTicket([&] { users().grant("CLERKS", "QM18300", "VIUD"); }));
  EXPECT_FALSE(endsTicket([&] { users().grant("ANN", "QM18900", "V"); }));
  EXPECT_TRUE(endsTicket([&] { users().setPassword("ANN", "new horse"); }));
  EXPECT_TRUE(endsTicket([&] { users().grant("CLERKS", "QM18300", "VI"); }));
  EXPECT_TRUE(endsTicket([&] { users().revoke("ANN", "QM18900"); }));
  EXPECT_TRUE(endsTicket([&] { users().removeFromGroup("CLERKS", "ANN"); }));
  users().addToGroup("CLERKS", "ANN");
  EXPECT_TRUE(endsTicket([&] { users().removeGroup("CLERKS"); }));
  users().changeUser("ANN", "Ann", true);
  EXPECT_TRUE(endsTicket([&] { users().changeUser("ANN", "Ann", false); }));
  EXPECT_TRUE(endsTicket([&] { users().removeUser("ANN"); }));
}

// Whoever is named, a refusal checks one password hash and makes none: an
// unknown user, a wrong password and a user held off cost alike.
TEST_F(Users, EveryRefusalCostsOneHashCheckWhoeverIsNamed) {
  EXPECT_FALSE(madeAtOtherCosts(decoyHash()));
  const auto cost = [&](const std::string& user, const std::string& password) {
    const PasswordWork before = passwordWork();
    EXPECT_FALSE(users().checkPassword(user, password, now_));
    const PasswordWork after = passwordWork();
    return std::pair{after.made - before.made, after.checked - before.checked};
  };
  const std::pair oneCheck{0, 1};
  EXPECT_EQ(cost("NOBODY", "guess"), oneCheck);
  for (int i = 0; i < kFreeFailures; ++i) EXPECT_EQ(cost("ANN", "guess"), oneCheck);
  EXPECT_EQ(cost("ANN", "right horse"), oneCheck) << "held off";
}

// A password sign-on hands a ticket on, so the screens it starts need no
// password; each screen reads the rights anew.
TEST_F(Users, ThePasswordSignOnHandsOnATicketAndTheScreensRights) {
  users().grant("ANN", "QM18300", "VIU");
  users().grant("ANN", "QM18800", "V");
  forms::Session first, second, third;
  ASSERT_EQ(signOn(first, "ANN", "right horse"), std::nullopt);
  EXPECT_EQ(first.updates().rights(), ScreenRights::fromLetters("VIU"));
  const char* ticket = std::getenv("CORVENA_TICKET");
  ASSERT_NE(ticket, nullptr);
  users().grant("ANN", "QM18300", "VIUD");
  EXPECT_EQ(signOn(second, "ANN", "", ticket), std::nullopt);
  EXPECT_EQ(second.updates().rights(), ScreenRights::fromLetters("VIUD"));
  users().revoke("ANN", "18800");
  EXPECT_EQ(signOn(third, "ANN", "", ticket)->number, kNotSignedOn);
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
  EXPECT_EQ(s.updates().rights(), ScreenRights{});
}

}  // namespace
}  // namespace corvena::signon
