// Forms as data: lookup, ranges in declaration order, control arrays, the
// current session.
#include <gtest/gtest.h>

#include "platform/forms/session.h"

namespace corvena::forms {
namespace {

FormDesc sample() {
  using C = ControlClass;
  return {"Main",
          "Sample",
          {{.cls = C::MaskedText, .name = "cA"},
           {.cls = C::Update, .name = "Update1", .levels = "Header;N"},
           {.cls = C::MaskedText, .name = "cB"},
           {.cls = C::MaskedText, .name = "cC"},
           {.cls = C::Frame, .name = "ZEPNewFrame", .tag = "", .index = 0},
           {.cls = C::Grid, .name = "Spread1"},
           {.cls = C::Float, .name = "cCol", .fieldname = "bx.amt", .parent = "Spread1"}}};
}

std::vector<std::string> names(const std::vector<Control*>& cs) {
  std::vector<std::string> out;
  for (auto* c : cs) out.push_back(c->name());
  return out;
}

TEST(FormTest, ControlsAreFoundByNameIgnoringCase) {
  Session s;
  Form& f = s.loadForm(sample());
  EXPECT_EQ(&f.control("CB"), f.find("cb"));
  EXPECT_EQ(s.updateControl(), f.find("Update1"));
  EXPECT_THROW(f.control("cZ"), RuntimeError);
  EXPECT_TRUE(f.find("cCol")->isGridColumn());
  EXPECT_EQ(names(f.columns(f.control("Spread1"))), std::vector<std::string>{"cCol"});
}

TEST(FormTest, RangesFollowDeclarationOrderAndTheUpdateControlMeansAll) {
  Session s;
  Form& f = s.loadForm(sample());
  EXPECT_EQ(names(f.range(f.find("cB"), f.find("cC"))), (std::vector<std::string>{"cB", "cC"}));
  EXPECT_EQ(f.range(f.updateControl(), f.updateControl()).size(), f.controls().size());
  EXPECT_EQ(names(f.range(f.find("cC"), f.find("cC"))), std::vector<std::string>{"cC"});
}

TEST(FormTest, ControlArrayElementsAreLoadedHidden) {
  Session s;
  Form& f = s.loadForm(sample());
  Control& one = f.loadArrayElement("ZEPNewFrame", 1);
  EXPECT_EQ(one.index(), 1);
  EXPECT_FALSE(one.visible());
  EXPECT_EQ(f.find("ZEPNewFrame", 1), &one);
  EXPECT_EQ(f.find("ZEPNewFrame")->index(), 0);
  EXPECT_THROW(f.loadArrayElement("ZEPNewTab", 1), RuntimeError);
  f.unloadControl(one);
  EXPECT_EQ(f.find("ZEPNewFrame", 1), nullptr);
}

TEST(FormTest, CurrentSessionIsSwitchedAndRestored) {
  Session a, b;
  EXPECT_EQ(currentSession(), nullptr);
  {
    SessionScope sa(a);
    EXPECT_EQ(&session(), &a);
    {
      SessionScope sb(b);
      EXPECT_EQ(&session(), &b);
    }
    EXPECT_EQ(&session(), &a);
  }
  EXPECT_THROW(session(), RuntimeError);
}

TEST(FormTest, ShowingAndUnloadingRaiseNotices) {
  Session s;
  Form& f = s.loadForm(sample());
  bool unloaded = false;
  f.onUnload([&] { unloaded = true; });
  s.showForm(f, true);
  EXPECT_TRUE(f.shown());
  s.hideForm(f);
  EXPECT_FALSE(f.shown());
  s.unloadForm(f);
  EXPECT_TRUE(unloaded);
  EXPECT_FALSE(f.loaded());
}

}  // namespace
}  // namespace corvena::forms
