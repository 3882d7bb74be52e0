// Line arrays as screens walk them: keyed work arrays, sorting, states.
#include "runtime/host/tests/kelpapi_fixture.h"

namespace corvena::host::testing {
namespace {

class LinesTest : public KelpapiTest {
 protected:
  LineArrayHandle fill(const std::vector<std::tuple<std::string, Date, int>>& rows) {
    LineArrayHandle h = mopen(bItem, 0);
    for (const auto& [id, added, state] : rows) {
      bItem.ItemId = id;
      bItem.Added = added;
      LineArrayInsert(h);
      LineArraySetState(h, state);
    }
    return h;
  }
  std::vector<std::string> walk(LineArrayHandle h, std::vector<int>* states = nullptr) {
    std::vector<std::string> ids;
    for (int rc = LineArrayFirst(h); rc == 0; rc = LineArrayNext(h)) {
      ids.push_back(bItem.ItemId.trimmed() + "/" + bItem.Added.iso().substr(8));
      if (states) states->push_back(LineArrayGetState(h));
    }
    return ids;
  }
};

TEST_F(LinesTest, SortByTextThenDateIsStableAndKeepsStates) {
  LineArrayHandle h = fill({{"B", Date{2024, 1, 2}, LineUnchanged},
                            {"A", Date{2024, 1, 9}, LineUpdated},
                            {"B", Date{2024, 1, 1}, LineInserted},
                            {"A", Date{2024, 1, 9}, LineUnchanged}});
  mkeyoffset(h, 1, bItem, &bItem.ItemId, 0, 10, -1);
  mkeyoffset(h, 2, bItem, &bItem.Added, 3, 4, -1);
  LineArraySort(h);
  std::vector<int> states;
  EXPECT_EQ(walk(h, &states), (std::vector<std::string>{"A/09", "A/09", "B/01", "B/02"}));
  EXPECT_EQ(states, (std::vector<int>{LineUpdated, LineUnchanged, LineInserted, LineUnchanged}));
  LineArrayClose(h);
  EXPECT_THROW(LineArrayFirst(h), RuntimeError);
}

TEST_F(LinesTest, DescendingKey) {
  LineArrayHandle h = fill(
      {{"A", Date{}, LineUnchanged}, {"C", Date{}, LineUnchanged}, {"B", Date{}, LineUnchanged}});
  mkeyoffset(h, 1, bItem, &bItem.ItemId, 0, 10, 0);
  LineArraySort(h);
  EXPECT_EQ(walk(h), (std::vector<std::string>{"C/01", "B/01", "A/01"}));
}

TEST_F(LinesTest, DeleteUntilNoneLeftAndPositions) {
  LineArrayHandle h = fill(
      {{"A", Date{}, LineUnchanged}, {"B", Date{}, LineUnchanged}, {"C", Date{}, LineUnchanged}});
  LineArrayFirst(h);
  LineArrayNext(h);
  const int pos = LineArrayGetPos(h);
  LineArrayFirst(h);
  LineArraySetPos(h, pos);
  EXPECT_EQ(bItem.ItemId.trimmed(), "B");
  bItem.Descr = "changed";
  LineArrayUpdate(h);
  EXPECT_EQ(LineArrayGetState(h), LineUpdated);
  LineArrayFirst(h);
  EXPECT_EQ(LineArrayDelete(h), 0);
  EXPECT_EQ(LineArrayDelete(h), 0);
  EXPECT_EQ(LineArrayDelete(h), NotFound);
  EXPECT_EQ(LineArrayFirst(h), NotFound);
}

TEST_F(LinesTest, KeyOnAFieldOutsideTheArraysRecordsIsAnError) {
  LineArrayHandle h = mopen(bItem);
  EXPECT_THROW(mkeyoffset(h, 1, nItem, &nItem.ItemId, 0, 10, -1), RuntimeError);
}

TEST_F(LinesTest, LoadFillsFromACursor) {
  LineArrayHandle h = mopen(bItem);
  Cursor c;
  EXPECT_EQ(LineArrayLoad(h, c, "KItem_All '%'"), 0);
  std::vector<int> states;
  EXPECT_EQ(walk(h, &states).size(), 3u);
  EXPECT_EQ(states, (std::vector<int>{LineUnchanged, LineUnchanged, LineUnchanged}));
}

}  // namespace
}  // namespace corvena::host::testing
