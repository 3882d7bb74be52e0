#include "runtime/corvena_vbt_app.h"

#include <gtest/gtest.h>

#include "runtime/app_information.h"
#include "runtime/kelpbas.h"

namespace corvena::runtime {
namespace {

using forms::ControlClass;

forms::FormDesc screenForm(bool withTabs = true) {
  forms::FormDesc desc{"Form1", "Customisation Test", {}};
  desc.controls.push_back({.cls = ControlClass::Update, .name = "Update1", .levels = "Header;N"});
  for (auto& c : customisationArrays())
    if (withTabs || c.name != "ZEPNewTab") desc.controls.push_back(c);
  return desc;
}

class CorvenaVBTAppTest : public ::testing::Test {
 protected:
  CorvenaVBTAppTest() : scope_(session_) {
    App().HelpFile = "\\help\\QM99999.hlp";
    main_ = &session_.loadForm(screenForm());
  }
  static forms::Control* control(const host::CreatedObject& o) {
    const auto* c = std::get_if<forms::Control*>(&o);
    return c ? *c : nullptr;
  }
  static forms::Form* form(const host::CreatedObject& o) {
    const auto* f = std::get_if<forms::Form*>(&o);
    return f ? *f : nullptr;
  }
  bool loaded(const forms::Form* f) const {
    for (const auto& each : session_.forms())
      if (each.get() == f) return each->loaded();
    return false;
  }

  forms::Session session_;
  forms::SessionScope scope_;
  forms::Form* main_;
};

TEST_F(CorvenaVBTAppTest, TheFirstFrameIsElementOneAndCountsInTheTag) {
  CorvenaVBTApp app(session_);
  std::int32_t hwnd = 4711;
  auto* frame = control(app.CreateControl("zeptools.zepframe", hwnd, main_));
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->name(), "ZEPNewFrame");
  EXPECT_EQ(frame->index(), 1);
  EXPECT_EQ(hwnd, 0);
  EXPECT_EQ(main_->find("ZEPNewFrame", 0)->property("tag"), "1");
}

TEST_F(CorvenaVBTAppTest, ContainersCountOnAndHideElementZero) {
  CorvenaVBTApp app(session_);
  std::int32_t hwnd = 0;
  auto* first = main_->find("ZEPContainer1", 0);
  ASSERT_TRUE(first->visible());
  app.CreateControl("zeptools.zepcheck", hwnd, main_);
  EXPECT_FALSE(first->visible());
  app.CreateControl("anything.else", hwnd, main_);
  auto* third = control(app.CreateControl("zeptools.zeptext", hwnd, main_));
  ASSERT_NE(third, nullptr);
  EXPECT_EQ(third->name(), "ZEPContainer1");
  EXPECT_EQ(third->index(), 3);
  EXPECT_EQ(first->property("tag"), "3");
  EXPECT_FALSE(first->visible());
}

TEST_F(CorvenaVBTAppTest, ClassNamesAreMatchedInLowerCase) {
  CorvenaVBTApp app(session_);
  std::int32_t hwnd = 0;
  auto* frame = control(app.CreateControl("ZEPTOOLS.ZEPFRAME", hwnd, main_));
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->name(), "ZEPNewFrame");
  auto* tab = control(app.CreateControl("TabDlg.SSTab.1", hwnd, main_));
  ASSERT_NE(tab, nullptr);
  EXPECT_EQ(tab->name(), "ZEPNewTab");
}

TEST_F(CorvenaVBTAppTest, AFormWithoutTheArrayGivesNothingAndLeavesHwnd) {
  auto& bare = session_.loadForm(screenForm(false));
  CorvenaVBTApp app(session_);
  std::int32_t hwnd = 99;
  const auto result = app.CreateControl("tabdlg.sstab.1", hwnd, &bare);
  EXPECT_TRUE(std::holds_alternative<std::monostate>(result));
  EXPECT_EQ(hwnd, 99);
  EXPECT_TRUE(std::holds_alternative<std::monostate>(app.CreateControl("x", hwnd, nullptr)));
}

TEST_F(CorvenaVBTAppTest, APlainFormIsLoadedHiddenAndKept) {
  CorvenaVBTApp app(session_);
  std::int32_t hwnd = 0;
  auto* created = form(app.CreateControl(std::string(PlainFormClass), hwnd, main_));
  ASSERT_NE(created, nullptr);
  EXPECT_EQ(created->name(), "new_form");
  EXPECT_FALSE(created->shown());
  EXPECT_EQ(hwnd, created->windowHandle());
  EXPECT_NE(created->find("ZEPDesigner1"), nullptr);
  EXPECT_EQ(app.CreatedFormCount, 1);
  ASSERT_EQ(app.CreatedForms.size(), 1u);
  EXPECT_EQ(app.CreatedForms[0], created);
}

TEST_F(CorvenaVBTAppTest, UnloadFormOfNothingIsFalse) {
  CorvenaVBTApp app(session_);
  const auto formsBefore = session_.forms().size();
  EXPECT_FALSE(app.UnloadForm(nullptr));
  EXPECT_EQ(session_.forms().size(), formsBefore);
  EXPECT_TRUE(loaded(main_));
}

TEST_F(CorvenaVBTAppTest, UnloadFormKeepsItInTheCreatedList) {
  CorvenaVBTApp app(session_);
  std::int32_t hwnd = 0;
  auto* created = form(app.CreateControl(std::string(PlainFormClass), hwnd, main_));
  EXPECT_TRUE(app.UnloadForm(created));
  EXPECT_FALSE(loaded(created));
  EXPECT_EQ(app.CreatedFormCount, 1);
}

TEST_F(CorvenaVBTAppTest, ReleasingTheObjectUnloadsItsFormsFirstToLast) {
  std::vector<std::string> unloaded;
  forms::Form* first = nullptr;
  forms::Form* second = nullptr;
  {
    CorvenaVBTApp app(session_);
    std::int32_t hwnd = 0;
    first = form(app.CreateControl(std::string(PlainFormClass), hwnd, main_));
    second = form(app.CreateControl(std::string(PlainFormClass), hwnd, main_));
    ASSERT_TRUE(first && second);
    first->onUnload([&] { unloaded.push_back("first"); });
    second->onUnload([&] { unloaded.push_back("second"); });
  }
  EXPECT_EQ(unloaded, (std::vector<std::string>{"first", "second"}));
  EXPECT_TRUE(loaded(main_));
}

TEST_F(CorvenaVBTAppTest, DeleteControlUnloadsACreatedElementAndIgnoresErrors) {
  CorvenaVBTApp app(session_);
  std::int32_t hwnd = 0;
  auto* frame = control(app.CreateControl("zeptools.zepframe", hwnd, main_));
  ASSERT_NE(frame, nullptr);
  app.DeleteControl(frame);
  EXPECT_EQ(main_->find("ZEPNewFrame", 1), nullptr);
  EXPECT_NO_THROW(app.DeleteControl(nullptr));
}

TEST_F(CorvenaVBTAppTest, HelpFilesChangeAndComeBack) {
  CorvenaVBTApp app(session_);
  EXPECT_EQ(app.SavedHelpFile, "\\help\\QM99999.hlp");
  app.ChangeHelpFile("custom.hlp");
  EXPECT_EQ(App().HelpFile, "custom.hlp");
  app.RestoreHelpFile();
  EXPECT_EQ(App().HelpFile, "\\help\\QM99999.hlp");
}

TEST_F(CorvenaVBTAppTest, DisplayAndHideShowTheForm) {
  CorvenaVBTApp app(session_);
  std::int32_t hwnd = 0;
  auto* created = form(app.CreateControl(std::string(PlainFormClass), hwnd, main_));
  app.DisplayForm(created);
  EXPECT_TRUE(created->shown());
  app.HideForm(created);
  EXPECT_FALSE(created->shown());
  EXPECT_THROW(app.DisplayForm(nullptr), forms::RuntimeError);
}

}  // namespace
}  // namespace corvena::runtime
