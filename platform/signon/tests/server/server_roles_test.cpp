// A server database's users sign on as the server's own roles, and the server
// refuses them what their screen rights do not cover, whatever client they use.
#include <gtest/gtest.h>

#include <unistd.h>

#include "platform/db/server_roles.h"
#include "platform/db/tests/test_database.h"
#include "platform/signon/company_sign_on.h"
#include "platform/signon/user_directory.h"

namespace corvena::signon {
namespace {

using db::testing::ScratchDir;

class ServerRolesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!db::testing::onServer()) GTEST_SKIP() << "server roles need a server database";
    path_ = dir_.database("roles");
    db_ = db::Database::create(path_);
  }
  // Roles are the whole server's: names of this process's own.
  static std::string named(const std::string& prefix) {
    return prefix + std::to_string(::getpid() % 10000000);
  }
  std::optional<SignOnRefusal> signOn(const std::string& user, const std::string& password,
                                      SignedOn& out) {
    return openForUser(SignOnContext{path_, user, "", {}, password, ""}, out);
  }
  std::shared_ptr<db::Database> as(const std::string& user, const std::string& password) {
    SignedOn out;
    EXPECT_EQ(signOn(user, password, out), std::nullopt);
    return out.database;
  }
  static bool refused(db::Database& db, const std::string& sql) {
    try {
      db.exec(sql);
      return false;
    } catch (const db::DbError& e) {
      EXPECT_EQ(e.kind(), db::DbError::Kind::Denied) << e.what();
      return true;
    }
  }
  ScratchDir dir_;
  std::string path_;
  std::unique_ptr<db::Database> db_;
};

TEST_F(ServerRolesTest, TheServerChecksTheUsersOwnPassword) {
  const std::string clerk = named("RC");
  UserDirectory(*db_).addUser(clerk, "Clerk", "right one", false);
  SignedOn out;
  const auto wrong = signOn(clerk, "wrong one", out);
  ASSERT_TRUE(wrong);
  EXPECT_EQ(wrong->number, kNotSignedOn);
  EXPECT_EQ(wrong->text, kWrongSignOn);
  EXPECT_EQ(signOn(named("RX"), "right one", out)->text, kWrongSignOn);
  EXPECT_EQ(signOn(clerk, "", out)->number, kNotSignedOn);
  EXPECT_EQ(db::ServerRoles(*as(clerk, "right one")).signedOnAs(), clerk);
  auto kept = db_->run("select count(*) from SecUser where PasswordHash <> ''");
  ASSERT_TRUE(kept.step());
  EXPECT_EQ(std::get<std::int64_t>(kept.column(0)), 0) << "the server alone keeps the password";
}

// The server itself holds a role off after repeated failures, whichever client
// tries: the right password straight after is refused alike, another role is not.
TEST_F(ServerRolesTest, RepeatedFailuresHoldTheRoleOffOnTheServer) {
  if (!CORVENA_SERVER_HOLD) GTEST_SKIP() << "built without the server's headers: no hold-off module";
  const std::string clerk = named("RH"), other = named("RO");
  UserDirectory users(*db_);
  users.addUser(clerk, "Clerk", "right one", false);
  users.addUser(other, "Other", "other one", false);
  SignedOn out;
  for (int i = 0; i < kFreeFailures; ++i) EXPECT_EQ(signOn(clerk, "guess", out)->text, kWrongSignOn);
  const auto held = signOn(clerk, "right one", out);
  ASSERT_TRUE(held) << "the right password straight after the failures signed on";
  EXPECT_EQ(held->text, kWrongSignOn);
  EXPECT_EQ(signOn(other, "other one", out), std::nullopt);
}

TEST_F(ServerRolesTest, AClerkWritesOnlyWhatTheScreensTheClerkHoldsWrite) {
  const std::string clerk = named("RW");
  UserDirectory users(*db_);
  users.addUser(clerk, "Clerk", "pw", false);
  users.grant(clerk, "QM18300", "V");
  auto own = as(clerk, "pw");
  EXPECT_FALSE(refused(*own, "select count(*) from ARDoc"));
  EXPECT_TRUE(refused(*own, "delete from XNAHeader"));
  EXPECT_TRUE(refused(*own, "update XNASetup set Crtd_User = 'X'"));
  EXPECT_TRUE(refused(*own, "insert into SecRight values ('X', '*', 'VIUDR')"));
  EXPECT_TRUE(refused(*own, "select count(*) from SecTicket"));
  users.addToGroup("PAYERS", clerk);
  users.grant("PAYERS", "QM18300", "VD");
  EXPECT_FALSE(refused(*own, "delete from XNAHeader"));
  EXPECT_TRUE(refused(*own, "insert into XNAHeader (NABatNbr) values ('1')"));
  users.revoke("PAYERS", "QM18300");
  EXPECT_TRUE(refused(*own, "delete from XNAHeader"));
}

// A clerk who enters AR documents cannot touch a released one's balance, as the
// screens never would; one who may release in AR can, as the release does.
TEST_F(ServerRolesTest, OnlyThoseWhoMayReleaseChangeReleasedARRows) {
  const std::string clerk = named("RR");
  UserDirectory users(*db_);
  users.addUser(clerk, "Clerk", "pw", false);
  users.grant(clerk, "0801000", "VIUD");
  db_->exec("insert into ARDoc (CustId, DocType, RefNbr, Rlsed, DocBal) values"
            " ('C1', 'IN', 'OLD', 1, 100), ('C1', 'IN', 'NEW', 0, 100)");
  auto own = as(clerk, "pw");
  const auto balances = [&] {
    std::string out;
    auto st = db_->run("select RefNbr, printf('%.2f', DocBal) from ARDoc order by RefNbr");
    while (st.step()) out += db::rowText(st) + " ";
    return out;
  };
  own->exec("update ARDoc set DocBal = 0");
  EXPECT_TRUE(refused(*own, "insert into ARDoc (CustId, DocType, RefNbr, Rlsed) values ('C1', 'IN', 'X', 1)"));
  EXPECT_EQ(balances(), "NEW|0.00 OLD|100.00 ");
  users.grant(clerk, "0803000", "VR");
  own->exec("update ARDoc set DocBal = 5");
  EXPECT_EQ(balances(), "NEW|5.00 OLD|5.00 ");
}

// What the users-and-rights screen does on a server: the administrator, signed
// on as their own role, makes a clerk who can then sign on.
TEST_F(ServerRolesTest, AnAdministratorMakesUsersThroughTheirOwnRole) {
  const std::string admin = named("RA"), clerk = named("RN");
  UserDirectory(*db_).addUser(admin, "Administrator", "admin pw", true);
  auto adminDb = as(admin, "admin pw");
  UserDirectory users(*adminDb);
  users.addUser(clerk, "New clerk", "clerk pw", false);
  users.grant(clerk, "QM18200", "VU");
  auto own = as(clerk, "clerk pw");
  EXPECT_FALSE(refused(*own, "update XNASetup set Crtd_User = 'X'"));
  EXPECT_TRUE(refused(*own, "insert into XNASetup (vond1) values ('X')"));
  users.setPassword(clerk, "changed");
  SignedOn out;
  EXPECT_EQ(signOn(clerk, "clerk pw", out)->text, kWrongSignOn);
}

// Making roles changes any role of the server: it goes with the last company
// the user administers there, whether demoted or removed.
TEST_F(ServerRolesTest, MakingRolesStaysOnlyWhileSomeCompanyHasTheUserAsAdministrator) {
  const std::string admin = named("RA"), other = named("RB");
  const auto makesRoles = [&] {
    return db_->run(db::Call{"", "SELECT 1 FROM pg_roles WHERE rolname = ?1 AND rolcreaterole", {other}})
        .step();
  };
  UserDirectory users(*db_);
  users.addUser(admin, "Administrator", "admin pw", true);
  users.addUser(other, "Second", "other pw", true);
  auto second = db::Database::create(dir_.database("roles2"));
  UserDirectory(*second).addUser(other, "Second", "other pw", true);
  users.changeUser(other, "Second", false);
  EXPECT_TRUE(makesRoles());
  UserDirectory(*second).removeUser(other);
  EXPECT_FALSE(makesRoles());
  EXPECT_TRUE(refused(*as(other, "other pw"), "create role " + named("RC")));
}

}  // namespace
}  // namespace corvena::signon
