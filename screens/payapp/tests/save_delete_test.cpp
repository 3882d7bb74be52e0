// Deleting a batch: an open batch goes with its detail rows; removing one line
// from the grid touches no stored row until the batch is saved.

#include "screens/payapp/tests/apply_fixture.h"

namespace corvena::payapp::testing {
namespace {

using Rows = std::vector<std::string>;

class SaveDelete : public ApplyTest {
 protected:
  void SetUp() override {
    ApplyTest::SetUp();
    addDoc({.cust = "P1", .ref = "INV1", .balance = 100});
    addDoc({.cust = "C1", .ref = "INV2", .balance = 300});
    addDoc({.cust = "C2", .ref = "INV3", .balance = 80});
    addHeader("0000000040", "O", "NP", "CHK40", 500);
    addDetail("0000000040", "P1", "IN", "INV1", 100);
    addDetail("0000000040", "C1", "IN", "INV2", 120);
    addHeader("0000000041", "O", "NP", "CHK41", 80);
    addDetail("0000000041", "C2", "IN", "INV3", 80);
  }

  bool deleteLevel(OpenScreen& s, int level) {
    return s.within([&] { return s.session().updates().deleteLevel(level); });
  }

  Rows batch40() {
    return sorted(rows("select RefNbr from XNADetail where NABatNbr = '0000000040'"));
  }
};

TEST_F(SaveDelete, DeletingAnOpenBatchRemovesItsHeaderAndDetailOnly) {
  auto s = open();
  ASSERT_TRUE(s->set("cNABatNbr", "0000000040"));
  ASSERT_TRUE(deleteLevel(*s, 0));
  EXPECT_EQ(rows("select NABatNbr from XNAHeader"), Rows{"0000000041"});
  EXPECT_TRUE(batch40().empty());
  EXPECT_EQ(rows("select RefNbr from XNADetail"), Rows{"INV3"});
}

TEST_F(SaveDelete, AStatusOtherThanOpenRemovesNoDetail) {
  auto s = open();
  ASSERT_TRUE(s->set("cNABatNbr", "0000000040"));
  s->app().bXNAHeader.Status = "P";
  for (int level : {1, 0}) EXPECT_EQ(s->within([&] { return Update1_DeleteRequested(level); }), 0);
  EXPECT_EQ(batch40(), (Rows{"INV1", "INV2"}));
}

struct Toolbar {
  const char* status;
  bool save;
  bool remove;
};

// A partially released batch can still be saved for its release but never
// deleted; a closed one neither. Grid lines are the screen's alone.
TEST_F(SaveDelete, ToolbarFollowsTheBatchStatus) {
  addHeader("0000000042", "P", "NP", "CHK42", 80);
  addHeader("0000000043", "C", "NP", "CHK43", 80);
  const Toolbar cases[] = {{"O", true, true}, {"P", true, false}, {"C", false, false}};
  const char* batches[] = {"0000000040", "0000000042", "0000000043"};
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(cases[i].status);
    auto s = open();
    ASSERT_TRUE(s->set("cNABatNbr", batches[i]));
    const auto on = [&](int button, int level) {
      return s->within([&] { return s->session().updates().buttonEnabled(button, level); });
    };
    EXPECT_EQ(on(forms::kButtonSave, 0), cases[i].save);
    EXPECT_EQ(on(forms::kButtonDelete, 0), cases[i].remove);
    EXPECT_FALSE(on(forms::kButtonNew, 1));
    EXPECT_FALSE(on(forms::kButtonDelete, 1));
    EXPECT_EQ(deleteLevel(*s, 0), cases[i].remove);
    EXPECT_FALSE(deleteLevel(*s, 1));
  }
  EXPECT_EQ(value("select count(*) from XNAHeader where NABatNbr in ('0000000042', '0000000043')"),
            "2");
}

TEST_F(SaveDelete, ResettingTheHeaderTurnsSaveAndDeleteBackOn) {
  addHeader("0000000042", "C", "NP", "CHK42", 80);
  auto s = open();
  ASSERT_TRUE(s->set("cNABatNbr", "0000000042"));
  const auto enabled = [&](int button, int level) {
    return s->within([&] { return s->session().updates().buttonEnabled(button, level); });
  };
  ASSERT_FALSE(enabled(forms::kButtonSave, 0));
  ASSERT_TRUE(s->within([&] { return s->session().updates().cancel(); }));
  for (int level : {0, 1}) EXPECT_TRUE(enabled(forms::kButtonSave, level));
  EXPECT_TRUE(enabled(forms::kButtonDelete, 0));
  EXPECT_FALSE(enabled(forms::kButtonDelete, 1));
}

}  // namespace
}  // namespace corvena::payapp::testing
