// Amounts, dates, messages, properties and possible values as screens call them.
#include "runtime/host/tests/kelpapi_fixture.h"

namespace corvena::host::testing {
namespace {

using HostCallsTest = KelpapiTest;

TEST_F(HostCallsTest, AmountsRoundToTheCurrencysDecimals) {
  EXPECT_EQ(FPAdd(0.1, 0.2), 0.3);
  EXPECT_EQ(FPRound(2.675), 2.68);
  EXPECT_EQ(FPSub(10, 2.675, 2), 7.33);
  EXPECT_EQ(FPMult(3, 0.335), 1.01);
  EXPECT_EQ(FPDiv(10, 3), 3.33);
  session().curyInfo().DecPl = 0;
  EXPECT_EQ(FPRound(2.5), 3.0);
  EXPECT_THROW(FPDiv(1, 0), RuntimeError);
}

TEST_F(HostCallsTest, DatesComeFromTheSignOn) {
  session().setBusinessDate(Date{2025, 6, 30});
  Date d;
  DateToday(d);
  EXPECT_EQ(d.iso(), "2025-06-30");
  EXPECT_EQ(DateCompare(d, Date{2025, 6, 30}), 0);
  EXPECT_GT(DateCompare(d, Date{2025, 6, 1}), 0);
  EXPECT_LT(DateCompare(Date{}, d), 0);
}

TEST_F(HostCallsTest, MessagesAndAnswers) {
  ui().queueAnswer(forms::kAnswerYes);
  EXPECT_EQ(MessBox("Continue?", 4, "System Message"), 6);
  EXPECT_EQ(MessResponse(), 6);
  Messf(15, Text<10>("12.50"), "", "", "", "", "");
  Mess(3007);
  MessText("Version number in APPLIC is not the same as the version number in KELP", "", "", "");
  ASSERT_EQ(ui().messages().size(), 4u);
  EXPECT_NE(ui().messages()[1].text.find("12.50"), std::string::npos);
  EXPECT_EQ(ui().messages()[3].text,
            "Version number in APPLIC is not the same as the version number in KELP");
  Status(-3, 0, "", 0);
  Status(-4, 0, "line", 2);
  Status(-2, 0, "", 0);
  EXPECT_EQ(ui().statusLines().size(), 1u);
}

FormDesc itemForm() {
  using C = ControlClass;
  return {"Form1",
          "Items",
          {{.cls = C::Update, .name = "Update1", .levels = "Item;N"},
           {.cls = C::MaskedText,
            .name = "cItemId",
            .fieldname = "bKItem.ItemId",
            .level = "0,k",
            .pv = "KItem_All"},
           {.cls = C::MaskedText, .name = "cDescr", .fieldname = "bKItem.Descr", .level = "0"},
           {.cls = C::Float, .name = "cPrice", .fieldname = "bKItem.Price", .level = "0"}}};
}

TEST_F(HostCallsTest, PossibleValueFetchWithNoControlUsesTheControlBeingChecked) {
  Form& f = session().loadForm(itemForm());
  SetAddr(0, "bKItem", bItem, nItem, 0);
  Cursor csr;
  SqlCursorEx(csr, 0, "CSR_KITEM", "KItem", "KItem");
  int found = -1;
  f.control("cItemId").onValueCheck([&](std::string& text) {
    found = PVChkFetch1(nullptr, csr, text, bItem, 0);
    return 0;
  });
  ASSERT_TRUE(session().enterValue(f.control("cItemId"), "NUT"));
  EXPECT_EQ(found, 0);
  EXPECT_EQ(bItem.Descr.trimmed(), "Nut");
  EXPECT_THROW(PVChkFetch1(nullptr, csr, "NUT", bItem), RuntimeError);  // nothing being checked
  std::string id = "BOLT";
  EXPECT_EQ(Ex_dbnavfetch1(&f.control("cItemId"), csr, id, bItem), 0);
  EXPECT_EQ(bItem.Descr.trimmed(), "Bolt");
}

TEST_F(HostCallsTest, PropertiesOverRangesAndSingleControls) {
  Form& f = session().loadForm(itemForm());
  Control* NoControl = f.updateControl();
  SetProps(&f, &f.control("cDescr"), &f.control("cPrice"), "enabled", false);
  EXPECT_TRUE(f.control("cItemId").enabled());
  EXPECT_FALSE(f.control("cDescr").enabled());
  EXPECT_FALSE(f.control("cPrice").enabled());
  SetProps(nullptr, NoControl, NoControl, "enabled", true);
  EXPECT_TRUE(f.control("cPrice").enabled());
  SetCtrlProp(&f.control("cPrice"), "max", 99.5);
  EXPECT_EQ(f.control("cPrice").desc().max, 99.5);
  SetCtrlProp(&f.control("cItemId"), "pv", R"("KItem_Descr", "bKItem.Descr"; 0; 0; 0; 0,)");
  EXPECT_EQ(f.control("cItemId").property("PV"), R"("KItem_Descr", "bKItem.Descr"; 0; 0; 0; 0,)");
  SetButton(6, -1, 0);
  EXPECT_FALSE(session().updates().buttonEnabled(forms::kButtonSave, 0));
  SetButton(6, 0, -1);
  EXPECT_TRUE(session().updates().buttonEnabled(forms::kButtonSave, 0));
  EXPECT_TRUE(session().updates().buttonEnabled(forms::kButtonNew, 1));
}

TEST_F(HostCallsTest, LevelChangeStates) {
  EXPECT_EQ(LevelChangeGet(1), LineUnchanged);
  LevelChangeSet(1, 2);
  EXPECT_EQ(LevelChangeGet(1), LineUpdated);
}

}  // namespace
}  // namespace corvena::host::testing
