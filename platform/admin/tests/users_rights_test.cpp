// Users and Rights driven by screen scripts as an administrator works it: a
// clerk added signs on with the password and rights given; members kept from
// either side; screens named as the menu names them; a user's effective rights;
// a group renamed; the refusals that keep the company administered; a
// non-administrator kept out.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <sstream>

#include "platform/admin/users_rights.h"
#include "platform/automation/script_driver.h"
#include "platform/db/tests/test_database.h"
#include "platform/forms/lookup_list.h"
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
  // The script's output; `after` looks at the screen as the script left it.
  std::string run(const signon::SignOnContext& signOn, const std::string& script,
                  const std::function<void(forms::Session&)>& after = {}) {
    forms::Session session;
    forms::SessionScope scope(session);
    const auto handlers = program::openHostScreen(session, signOn, kScreen);
    std::ostringstream out;
    automation::ScriptDriver(session, out).run(script);
    if (after) after(session);
    return out.str();
  }
  std::string asAdministrator(const std::string& script,
                              const std::function<void(forms::Session&)>& after = {}) {
    return run(as("SYSADMIN", "root pw"), script, after);
  }
  void withDirectory(const std::function<void(signon::UserDirectory&)>& change) {
    auto db = db::Database::open(path_);
    signon::UserDirectory users(*db);
    change(users);
  }
  void addAdministrator() {
    withDirectory([](auto& users) { users.addUser("SYSADMIN", "Administrator", "root pw", true); });
  }
  // Two clerks; PAYMENTS holds CLERK1 and rights of its own.
  void addPayments() {
    addAdministrator();
    withDirectory([](auto& users) {
      users.addUser("CLERK1", "Clerk One", "pw1", false);
      users.addUser("CLERK2", "Clerk Two", "pw2", false);
      users.addToGroup("PAYMENTS", "CLERK1");
      users.grant("PAYMENTS", "QM18300", "VUD");
      users.grant("PAYMENTS", "0803000", "V");
      users.grant("CLERK1", "QM18300", "VI");
    });
  }
  // What the user's sign-on on the program gives, or why it is refused.
  std::string rightsOf(const std::string& user, const std::string& password,
                       const std::string& program) {
    forms::Session session;
    const auto refused = signon::signOnSession(session, as(user, password), program);
    return refused ? "refused " + std::to_string(refused->number)
                   : session.updates().rights().letters();
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
      "set cConfirm \"blue fish 7\"\nline grdGroups new\nset cMemberId PAYMENTS\n"
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
  EXPECT_EQ(rightsOf("CLERK9", "blue fish 7", "QM18300"), "VIU");
  EXPECT_EQ(rightsOf("CLERK9", "blue fish 7", "0803000"), "VIUD");
  EXPECT_EQ(rightsOf("CLERK9", "blue fish 7", "0801000"), "V");
  EXPECT_EQ(rightsOf("CLERK9", "blue fish", "QM18300"), "refused 7506");
}

TEST_F(UsersAndRights, BadInputIsRefusedWithItsReasonAndLosesNothing) {
  addAdministrator();
  const std::string out = asAdministrator(
      "set cUserId CLERK9\nset cPassword one\nset cConfirm two\nline grdRights new\n"
      "set cScreenNbr QM183\nset cScreenNbr 18300\nset cRights VX\nset cRights VI\n"
      "line grdGroups new\nset cMemberId SYSADMIN\nsave\nset cConfirm one\nsave\n"
      "line grdGroups 1\nset cMemberId CLERKS\nsave\nnew 0\nset cUserId LONGERTHAN10\nset cPassword x\n"
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
  if (db::testing::onServer())
    EXPECT_EQ(rows("SELECT rolname FROM pg_roles WHERE rolcreaterole AND rolname IN ('BOSS', 'SYSADMIN')"),
              Rows{"BOSS"});
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

TEST_F(UsersAndRights, MembersAreKeptFromTheGroupAndFromTheUser) {
  addPayments();
  const std::string out = asAdministrator(
      "set cUserId PAYMENTS\nproperty frmGroups caption\nshow grdGroups\n"
      "line grdGroups new\nset cMemberId NOBODY\nsave\nset cMemberId CLERK2\nsave\n"
      "set cUserId CLERK1\nproperty frmGroups caption\nshow grdGroups\nline grdGroups 1\n"
      "delete 1\nsave\nset cUserId PAYMENTS\nshow grdGroups\n");
  EXPECT_NE(out.find("PROPERTY frmGroups caption: Members of the Group\n"
                     "SHOW grdGroups: 1 line\nCLERK1\n"),
            std::string::npos) << out;
  EXPECT_NE(out.find("NOBODY is not a user on file: a group's members are users."),
            std::string::npos) << out;
  EXPECT_NE(out.find("PROPERTY frmGroups caption: Member of Groups\nSHOW grdGroups: 1 line\nPAYMENTS\n"),
            std::string::npos) << out;
  EXPECT_NE(out.find("SHOW grdGroups: 1 line\nCLERK2\n"), std::string::npos) << out;
  EXPECT_EQ(rows("SELECT GroupId || '|' || UserId FROM SecGroupMember"), Rows{"PAYMENTS|CLERK2"});
  EXPECT_EQ(rightsOf("CLERK1", "pw1", "QM18300"), "VI");
  EXPECT_EQ(rightsOf("CLERK2", "pw2", "QM18300"), "VUD");
}

// Screens are typed as the clerk knows them and shown as the menu names them.
TEST_F(UsersAndRights, RightsNameEachScreenAsTheMenuDoesWithALookUpOfTheScreens) {
  addPayments();
  std::vector<std::string> offered;
  const std::string out = asAdministrator(
      "set cUserId CLERK2\nline grdRights new\nset cScreenNbr 98100\nset cScreenNbr 12345\n"
      "set cScreenNbr qm.183.00\nexpect cScreenNbr QM.183.00\n"
      "expect cCaption \"National Account Payment Application (QM.183.00)\"\nset cRights V\n"
      "line grdRights new\nset cScreenNbr 0801000\nset cRights VI\nline grdRights new\n"
      "set cScreenNbr *\nset cRights V\nsave\nset cUserId CLERK1\nset cUserId CLERK2\nshow grdRights\n",
      [&](forms::Session& session) {
        const auto list = forms::lookupList(session, *session.findControl("cScreenNbr"));
        for (std::size_t row = 0; row < list.rows.size(); ++row) offered.push_back(list.value(row));
      });
  EXPECT_EQ(out.find("FAIL"), std::string::npos) << out;
  EXPECT_NE(out.find("SHOW grdRights: 3 lines\n* | V | Every screen\n"
                     "08.010.00 | VI | Invoice and Memo (08.010.00)\n"
                     "QM.183.00 | V | National Account Payment Application (QM.183.00)\n"),
            std::string::npos) << out;
  EXPECT_EQ(rows("SELECT ScreenNbr || '|' || Rights FROM SecRight WHERE Grantee = 'CLERK2' ORDER BY 1"),
            (Rows{"*|V", "08010|VI", "18300|V"}));
  // Users and Rights is no clerk's screen, whatever rights say.
  ASSERT_GE(offered.size(), 9u);
  EXPECT_EQ(offered[0], "*");
  EXPECT_EQ(std::count(offered.begin(), offered.end(), "QM.183.00"), 1);
  EXPECT_EQ(std::count(offered.begin(), offered.end(), "98.100.00"), 0);
  std::string every;
  for (const auto& number : offered)
    every += "line grdRights new\nset cScreenNbr " + number + "\nexpect cScreenNbr " + number + "\n";
  EXPECT_EQ(asAdministrator("set cUserId CLERK2\n" + every).find("FAIL"), std::string::npos);
}

TEST_F(UsersAndRights, AUsersEffectiveRightsShowWhereEachLetterComesFrom) {
  addPayments();
  const std::string out = asAdministrator(
      "set cUserId CLERK1\nshow grdRights\nshow grdEffective\nline grdRights 1\nset cRights VIUDR\n"
      "save\nshow grdEffective\nset cUserId PAYMENTS\nproperty frmEffective visible\n"
      "show grdEffective\nset cUserId SYSADMIN\nproperty frmEffective visible\n"
      "show grdEffective\n");
  EXPECT_NE(out.find("SHOW grdRights: 1 line\n"
                     "QM.183.00 | VI | National Account Payment Application (QM.183.00)\n"
                     "SHOW grdEffective: 2 lines\n"
                     "QM.183.00 | VIUD | own: VI; PAYMENTS: VUD | "
                     "National Account Payment Application (QM.183.00)\n"
                     "08.030.00 | V | PAYMENTS: V | Payment Application (08.030.00)\n"),
            std::string::npos) << out;
  EXPECT_NE(out.find("| VIUDR | own: VIUDR; PAYMENTS: VUD |"), std::string::npos) << out;
  EXPECT_NE(out.find("PROPERTY frmEffective visible: False\nSHOW grdEffective: 0 lines\n"),
            std::string::npos) << out;
  EXPECT_NE(out.find("PROPERTY frmEffective visible: True\n"), std::string::npos) << out;
  EXPECT_NE(out.find("SHOW grdEffective: 1 line\n* | VIUDR | administrator | Every screen\n"),
            std::string::npos) << out;
  EXPECT_EQ(rightsOf("CLERK1", "pw1", "QM18300"), "VIUDR");
  EXPECT_EQ(rightsOf("CLERK1", "pw1", "0803000"), "V");
}

TEST_F(UsersAndRights, AGroupRenamedKeepsItsMembersAndRights) {
  addPayments();
  const std::string out = asAdministrator(
      "set cUserId CLERK1\nset cRenameTo CLERKS\nsave\ncancel\nset cUserId PAYMENTS\n"
      "set cRenameTo CLERK2\nsave\nset cRenameTo RECEIVABLES\nsave\nexpect cUserId RECEIVABLES\n"
      "expect cRenameTo \"\"\nshow grdGroups\nset cUserId CLERK1\nshow grdGroups\n");
  EXPECT_NE(out.find("Only a group is renamed"), std::string::npos) << out;
  EXPECT_NE(out.find("CLERK2 is already on file"), std::string::npos) << out;
  EXPECT_EQ(out.find("FAIL"), std::string::npos) << out;
  EXPECT_NE(out.find("SHOW grdGroups: 1 line\nCLERK1\nSHOW grdGroups: 1 line\nRECEIVABLES\n"),
            std::string::npos) << out;
  EXPECT_EQ(rows("SELECT GroupId || '|' || UserId FROM SecGroupMember"), Rows{"RECEIVABLES|CLERK1"});
  EXPECT_EQ(rows("SELECT Grantee, ScreenNbr, Rights FROM SecRight ORDER BY 1, 2"),
            (Rows{"CLERK1|18300|VI", "RECEIVABLES|08030|V", "RECEIVABLES|18300|VUD"}));
  EXPECT_EQ(rightsOf("CLERK1", "pw1", "QM18300"), "VIUD");
}

}  // namespace
}  // namespace corvena::admin
