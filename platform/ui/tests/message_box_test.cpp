// Message boxes: the style picks icon and buttons; answers are the host's numbers.
#include "platform/ui/message_box.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QPushButton>

#include "platform/ui/tests/render_fixture.h"

namespace corvena::ui::testing {
namespace {

using MessageBoxes = RenderTest;

TEST_F(MessageBoxes, StyleFourAsksYesOrNo) {
  auto box = makeMessageBox("Delete the batch?", 4, "National Accounts", nullptr);
  EXPECT_EQ(box->standardButtons(), QMessageBox::Yes | QMessageBox::No);
  EXPECT_EQ(box->windowTitle(), "National Accounts");
  EXPECT_EQ(box->text(), "Delete the batch?");
  EXPECT_EQ(static_cast<QAbstractButton*>(box->defaultButton()), box->button(QMessageBox::Yes));
}

TEST_F(MessageBoxes, StyleFortyEightWarnsWithOneButton) {
  auto box = makeMessageBox("Check the amount.", 48, "Warning", nullptr);
  EXPECT_EQ(box->icon(), QMessageBox::Warning);
  EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
}

TEST_F(MessageBoxes, TheSecondButtonCanBeTheDefault) {
  auto box = makeMessageBox("Release now?", 4 + 32 + 256, "System Message", nullptr);
  EXPECT_EQ(box->icon(), QMessageBox::Question);
  EXPECT_EQ(static_cast<QAbstractButton*>(box->defaultButton()), box->button(QMessageBox::No));
}

TEST_F(MessageBoxes, AnswersAreTheHostsNumbers) {
  EXPECT_EQ(hostAnswer(QMessageBox::Ok), forms::kAnswerOk);
  EXPECT_EQ(hostAnswer(QMessageBox::Yes), forms::kAnswerYes);
  EXPECT_EQ(hostAnswer(QMessageBox::No), forms::kAnswerNo);
  EXPECT_EQ(hostAnswer(QMessageBox::Cancel), 2);
}

TEST_F(MessageBoxes, TheSessionsQuestionGetsTheUsersAnswer) {
  EXPECT_EQ(session_->messages().messageBox("Go on?", forms::kStyleYesNo, "Transfer"),
            forms::kAnswerYes);
  ASSERT_EQ(answerer_->texts.size(), 1u);
  EXPECT_EQ(answerer_->texts[0], "Go on?");
}

}  // namespace
}  // namespace corvena::ui::testing
