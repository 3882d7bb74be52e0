// What the screen reads when it opens.

#include "screens/payapp/tests/payapp_fixture.h"

namespace corvena::payapp::testing {
namespace {

class ScreenLoad : public PayAppTest {};

TEST_F(ScreenLoad, TakesPeriodAndSortOrderFromARSetup) {
  db_->exec("update ARSetup set CurrPerNbr = '202611', PASortDflt = 'F'");
  auto s = open();
  EXPECT_EQ(s->app().bXNAHeader.PerPost.trimmed(), "202611");
  EXPECT_EQ(s->app().bXHeader.SortOrder.trimmed(), "F");
  EXPECT_FALSE(s->enabled("cCMRefNbr"));
  EXPECT_EQ(s->app().bGLSetup.CpnyId.trimmed(), "CO1");
  EXPECT_EQ(s->app().bXNASetup.vond1.trimmed(), "1010");
}

TEST_F(ScreenLoad, ReadsProjectDefaultsWhenTheProjectControllerIsSetUp) {
  const std::string task = std::string(32, 'T') + "REST";
  db_->exec(
      "insert into PCSetup (SetupId, S4Future) values ('PC', 'S');"
      "insert into PJContrl (control_type, control_code, control_data) values "
      "('PA', 'NO-POST-PROJECT', 'PROJ1'), ('PA', 'DEFAULT-TASK', '" +
      task + "')");
  auto s = open();
  const auto& a = s->app();
  EXPECT_TRUE(a.ProjectController);
  EXPECT_EQ(Text<32>(a.DefaultProject).trimmed(), "PROJ1");
  EXPECT_EQ(a.DefaultTask, std::string(32, 'T'));
  EXPECT_EQ(Text<223>(a.DefaultTaskRest).trimmed(), "REST");
}

TEST_F(ScreenLoad, NoProjectDefaultsWithoutTheProjectController) {
  db_->exec(
      "insert into PCSetup (SetupId, S4Future) values ('PC', 'N');"
      "insert into PJContrl (control_type, control_code, control_data) values "
      "('PA', 'NO-POST-PROJECT', 'PROJ1')");
  auto s = open();
  EXPECT_FALSE(s->app().ProjectController);
  EXPECT_EQ(s->app().DefaultProject, "");
}

TEST_F(ScreenLoad, MissingProjectRowsLeaveDefaultsBlank) {
  db_->exec("insert into PCSetup (SetupId, S4Future) values ('PC', 'S')");
  auto s = open();
  EXPECT_TRUE(s->app().ProjectController);
  EXPECT_EQ(Text<32>(s->app().DefaultProject).trimmed(), "");
  EXPECT_EQ(s->app().DefaultTask, "");
}

TEST_F(ScreenLoad, NewLineTakesBatchAndCompany) {
  auto s = open("CO2");
  s->within([&] {
    s->app().bXNAHeader.NABatNbr = "0000000042";
    return s->grid().handlers().lineChange(forms::kLineStarting);
  });
  EXPECT_EQ(s->app().bXNADetail.NABatNbr.trimmed(), "0000000042");
  EXPECT_EQ(s->app().bXNADetail.CpnyId.trimmed(), "CO2");
}

}  // namespace
}  // namespace corvena::payapp::testing
