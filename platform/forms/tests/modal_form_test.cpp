// A modal form holds the event that opened it until the clerk closes it. The
// clerk's work on it is events of their own: the long work of an entry there
// is told and ends with that entry, not when the form closes.
#include <chrono>
#include <functional>

#include "platform/forms/tests/order_screen.h"

namespace corvena::forms::testing {
namespace {

// A desk that waits at modal forms and hears of any work at once.
class WaitingDesk : public HeadlessUi {
 public:
  std::function<void()> atForm;
  std::vector<std::string> heard;
  bool waitsForForms() const override { return true; }
  std::chrono::milliseconds workNoticedAfter() const override { return {}; }
  void working(std::size_t) override { heard.push_back("working"); }
  void workEnded() override { heard.push_back("ended"); }
  void formShown(Form&, bool modal) override {
    if (modal) atForm();
  }
};

TEST_F(OrderScreenTest, AnEntryOnAModalFormEndsItsOwnWork) {
  auto owned = std::make_unique<WaitingDesk>();
  WaitingDesk& desk = *owned;
  s().session.setUi(std::move(owned));
  Form& note = s().session.loadForm(FormDesc{
      "NoteForm",
      "Note",
      {{.cls = ControlClass::MaskedText, .name = "cNoteCust", .fieldname = "bTOrder.CustId",
        .level = "0"}}});
  CursorHandle cursor;
  const auto read = [&] { s().session.cursors().fetchFirst(cursor, "TCust_All '%'", {}); };
  note.control("cNoteCust").onValueCheck([&](std::string&) {
    read();
    return 0;
  });
  s().c("cmdGo").onClick([&] {
    read();
    s().session.showForm(note, true);
    desk.heard.push_back("closed");
  });
  std::vector<std::string> byTheEntry;
  desk.atForm = [&] {
    desk.heard.clear();
    EXPECT_TRUE(s().session.enterValue(note.control("cNoteCust"), "ACME"));
    byTheEntry = desk.heard;
    s().session.hideForm(note);
  };
  ASSERT_TRUE(s().session.click(s().c("cmdGo")));
  EXPECT_EQ(byTheEntry, (std::vector<std::string>{"working", "ended"}));
  EXPECT_EQ(desk.heard.back(), "closed");
  EXPECT_EQ(s().order.CustId.trimmed(), "ACME");
}

}  // namespace
}  // namespace corvena::forms::testing
