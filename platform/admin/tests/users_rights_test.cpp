// Users and Rights driven by screen scripts as an administrator works it: a
// clerk added signs on with the password and rights given; the refusals that
// keep the company administered; a non-administrator kept out.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

#include "platform/admin/users_rights.h"
#include "platform/automation/script_driver.h"
#include "platform/db/tests/test_database.h"
#include "platform/program/host_program.h"
#include "platform/signon/company_sign_on.h"
#include "platform/signon/user_directory.h"

namespace corvena::admin {
namespace {

using Rows = std::vector<std::string>;

const program::HostScreenProgram kScreen{"9810000", usersAndRightsForm, attachUsersAndRights, true};

class UsersAndRights : public ::testing::Test {
 protected:
  UsersAndRights() { db::Database::create(path_); }
  void TearDown() override { ::unsetenv("CORVENA_TICKET"); }

  signon::SignOnContext as(const std::string& user, const std::string& password) const {
    return {path_, user, "C1", Date{2026, 12, 7}, password};
  }
  std::string run(const signon::SignOnContext& signOn, const std::string& script) {
    forms::Session session;
    forms::SessionScope scope(session);
    const auto handlers = program::openHostScreen(session, signOn, kScreen);
    std::ostringstream out;
    automation::ScriptDriver(session, out).run(script);
    return out.str();
  }
  std::string asAdministrator(const std::string& script) { return run(as("SYSADMIN", "root pw"), script); }
  void addAdministrator() {
    auto db = db::Database::open(path_);
    signon::UserDirectory(*db).addUser("SYSADMIN", "Administrator", "root pw", true);
  }
  Rows rows(const std::string& sql) {
    auto db = db::Database::open(path_);
    Rows out;
    db::Statement st = db->prepare(sql);
    while (st.step()) out.push_back(db::rowText(st));
    return out;
  }

  db::testing::ScratchDir dir_;
  const std::string path_ = dir_.database("company.db");
};

TEST_F(UsersAndRights, AClerkAddedSignsOnWithThePasswordAndHasExactlyTheRightsGiven) {
  addAdministrator();
  const std::string out = asAdministrator(
      "set cUserId CLERK9\nset cUserName \"Casey Clerk\"\nset cPassword \"blue fish 7\"\n"
      "set cConfirm \"blue fish 7\"\nline grdGroups new\nset cGroupId PAYMENTS\n"
      "line grdRights new\nset cScreenNbr QM18300\nset cRights viu\n"
      "line grdRights new\nset cScreenNbr *\nset cRights V\nsave\nexpect cPassword \"\"\n"
      "new 0\nset cUserId PAYMENTS\nexpect cKind G\nline grdRights new\n"
      "set cScreenNbr 0803000\nset cRights DUIV\nsave\nfirst 0\nexpect cUserId CLERK9\n"
      "next 0\nexpect cUserId PAYMENTS\nexpect cKind G\n");
  EXPECT_EQ(out.find("FAIL"), std::string::npos) << out;
  EXPECT_EQ(out.find("MESSAGE"), std::string::npos) << out;
  EXPECT_EQ(rows("SELECT UserId, UserName, Administrator FROM SecUser ORDER BY UserId"),
            (Rows{"CLERK9|Casey Clerk|0", "SYSADMIN|Administrator|1"}));
  EXPECT_EQ(rows("SELECT Grantee, ScreenNbr, Rights FROM SecRight ORDER BY 1, 2"),
            (Rows{"CLERK9|*|V", "CLERK9|18300|VIU", "PAYMENTS|08030|VIUD"}));
  EXPECT_EQ(rows("SELECT 1 FROM SecUser WHERE replace(PasswordHash, 'blue fish', '') <> PasswordHash"), Rows{});

  const auto signOn = [&](const std::string& password, const std::string& program) {
    forms::Session session;
    const auto refused = signon::signOnSession(session, as("CLERK9", password), program);
    return refused ? "refused " + std::to_string(refused->number)
                   : session.updates().rights().letters();
  };
  EXPECT_EQ(signOn("blue fish 7", "QM18300"), "VIU");
  EXPECT_EQ(signOn("blue fish 7", "0803000"), "VIUD");
  EXPECT_EQ(signOn("blue fish 7", "0801000"), "V");
  EXPECT_EQ(signOn("blue fish", "QM18300"), "refused 7506");
}

TEST_F(UsersAndRights, BadInputIsRefusedWithItsReasonAndLosesNothing) {
  addAdministrator();
  const std::string out = asAdministrator(
      "set cUserId CLERK9\nset cPassword one\nset cConfirm two\nline grdRights new\n"
      "set cScreenNbr QM183\nset cScreenNbr 18300\nset cRights VX\nset cRights VI\n"
      "line grdGroups new\nset cGroupId SYSADMIN\nsave\nset cConfirm one\nsave\n"
      "line grdGroups 1\nset cGroupId CLERKS\nsave\nnew 0\nset cUserId LONGERTHAN10\nset cPassword x\n"
      "set cConfirm x\nsave\n");
  for (const char* said :
       {"program or number (QM18300, 0801000 or 18300)", "\"X\" is not one of them",
        "SYSADMIN is a user, not a group", "confirmation differ",
        "longer than 10 characters"})
    EXPECT_NE(out.find(said), std::string::npos) << said << "\n" << out;
  EXPECT_EQ(rows("SELECT UserId FROM SecUser ORDER BY UserId"), (Rows{"CLERK9", "SYSADMIN"}));
  EXPECT_EQ(rows("SELECT GroupId || '|' || UserId FROM SecGroupMember"), Rows{"CLERKS|CLERK9"});
  EXPECT_EQ(rows("SELECT Grantee, ScreenNbr, Rights FROM SecRight"), Rows{"CLERK9|18300|VI"});
}

TEST_F(UsersAndRights, TheLastAdministratorStaysOneAndNobodyRemovesThemselves) {
  addAdministrator();
  const std::string out = asAdministrator(
      "set cUserId SYSADMIN\nclick cAdministrator\nsave\ncancel\nset cUserId SYSADMIN\n"
      "delete 0\nnew 0\nset cUserId BOSS\nclick cAdministrator\nset cPassword pw\n"
      "set cConfirm pw\nsave\nset cUserId SYSADMIN\nclick cAdministrator\nsave\n");
  EXPECT_NE(out.find("SYSADMIN is the company's last administrator and stays one"),
            std::string::npos) << out;
  EXPECT_NE(out.find("You cannot remove yourself"), std::string::npos) << out;
  EXPECT_EQ(rows("SELECT UserId, Administrator FROM SecUser ORDER BY UserId"),
            (Rows{"BOSS|1", "SYSADMIN|0"}));
  const std::string removed = run(as("BOSS", "pw"), "set cUserId SYSADMIN\ndelete 0\n"
                                                    "set cUserId BOSS\nclick cAdministrator\nsave\n");
  EXPECT_NE(removed.find("BOSS is the company's last administrator"), std::string::npos) << removed;
  EXPECT_EQ(rows("SELECT UserId, Administrator FROM SecUser"), Rows{"BOSS|1"});
}

// Anyone may start it while the company has no user; the first user added keeps it.
TEST_F(UsersAndRights, TheFirstUserIsMadeAnAdministratorAndOnlyAdministratorsGetIn) {
  const std::string out = run(as("ANYONE", ""), "set cUserId BOSS\nset cPassword pw\n"
                                                "set cConfirm pw\nsave\nexpect cAdministrator 1\n");
  EXPECT_EQ(out.find("FAIL"), std::string::npos) << out;
  EXPECT_NE(out.find("BOSS is the company's first user and so is made an administrator"),
            std::string::npos) << out;
  {
    auto db = db::Database::open(path_);
    signon::UserDirectory users(*db);
    users.addUser("CLERK1", "Clerk", "pw1", false);
    users.grant("CLERK1", "*", "VIUDR");
  }
  try {
    run(as("CLERK1", "pw1"), "");
    FAIL() << "a clerk opened Users and Rights";
  } catch (const program::SignOnRefused& refused) {
    EXPECT_EQ(refused.number, signon::kNoRights);
  }
  EXPECT_EQ(run(as("BOSS", "pw"), "expect cKind U\n").find("FAIL"), std::string::npos);
}

}  // namespace
}  // namespace corvena::admin
