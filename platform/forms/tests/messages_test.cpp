// Message boxes, numbered messages and the process status log, headless.
#include "platform/forms/messages.h"

#include <gtest/gtest.h>

#include <sstream>

#include "platform/forms/headless_ui.h"
#include "platform/forms/session.h"

namespace corvena::forms {
namespace {

class MessagesTest : public ::testing::Test {
 protected:
  MessagesTest() {
    auto ui = std::make_unique<HeadlessUi>(&out_);
    ui_ = ui.get();
    session_.setUi(std::move(ui));
  }
  std::ostringstream out_;
  Session session_;
  HeadlessUi* ui_;
};

TEST_F(MessagesTest, QuestionsAreAnsweredFromTheQueueThenByDefault) {
  ui_->queueAnswer(kAnswerYes);
  EXPECT_EQ(session_.messages().messageBox("Continue?", kStyleYesNo, "System Message"), kAnswerYes);
  EXPECT_EQ(session_.messages().lastResponse(), kAnswerYes);
  EXPECT_EQ(session_.messages().messageBox("Again?", kStyleYesNo, "System Message"), kAnswerNo);
  EXPECT_EQ(session_.messages().messageBox("Done.", kStyleWarning, "Warning"), kAnswerOk);
  EXPECT_EQ(out_.str(),
            "MESSAGE System Message (4): Continue?\n"
            "MESSAGE System Message (4): Again?\n"
            "MESSAGE Warning (48): Done.\n");
}

TEST_F(MessagesTest, NumberedMessagesComeFromTheCatalogue) {
  for (int n : {15, 217, 3007, 5010, 12338})
    EXPECT_NE(messageText(n), "Message " + std::to_string(n)) << n;
  session_.messages().message(217);
  session_.messages().message(15, {"12.50", "", "", "", "", ""});
  ASSERT_EQ(ui_->messages().size(), 2u);
  EXPECT_EQ(ui_->messages()[0].text,
            "Application amount plus discount cannot exceed the document balance.");
  EXPECT_NE(ui_->messages()[1].text.find("12.50"), std::string::npos);
  EXPECT_EQ(formatMessage(99999, {}), "Message 99999");
}

TEST_F(MessagesTest, StatusLogKeepsItsLines) {
  session_.messages().status(kStatusOpen, 0, "", 0);
  EXPECT_TRUE(ui_->statusOpen());
  session_.messages().status(kStatusWrite, 0, "Batch 0000000001 released.", kStatusProgress);
  session_.messages().status(kStatusWrite, 0, "Could not find debit memo to apply.", kStatusError);
  session_.messages().status(kStatusClose, 0, "", 0);
  EXPECT_FALSE(ui_->statusOpen());
  ASSERT_EQ(ui_->statusLines().size(), 2u);
  ASSERT_EQ(session_.messages().statusLog().size(), 2u);
  EXPECT_EQ(session_.messages().statusLog()[0].text, "Batch 0000000001 released.");
  EXPECT_EQ(ui_->statusLines()[1].mode, kStatusError);
  EXPECT_EQ(out_.str(),
            "STATUS 2: Batch 0000000001 released.\n"
            "STATUS 3: Could not find debit memo to apply.\n");
}

TEST_F(MessagesTest, RuntimeErrorIsReportedWithNumberAndDescription) {
  session_.messages().reportError(RuntimeError(13, "Type mismatch"));
  ASSERT_EQ(ui_->messages().size(), 1u);
  EXPECT_EQ(ui_->messages()[0].text, "Run-time error 13: Type mismatch");
}

}  // namespace
}  // namespace corvena::forms
