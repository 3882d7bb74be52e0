#include "runtime/modal_forms.h"

#include <gtest/gtest.h>

#include "platform/forms/headless_ui.h"
#include "platform/forms/session.h"
#include "runtime/kelpbas.h"

namespace corvena::runtime {
namespace {

// A renderer whose modal show waits by itself.
class WaitingUi : public forms::HeadlessUi {
 public:
  bool waitsForForms() const override { return true; }
};

class ModalFormsTest : public ::testing::Test {
 protected:
  ModalFormsTest() : host_(host::HostServices{}), hostScope_(host_), scope_(session_) {
    host_.services.pumpEvents = [this] { ++pumps_; };
    resetRuntimeState();
    session_.loadForm(forms::FormDesc{"Form1", "Main", {}});
    detail_ = &session_.loadForm(forms::FormDesc{"Form2", "Detail", {}});
  }
  host::HostProcess host_;
  host::HostProcessScope hostScope_;
  forms::Session session_;
  forms::SessionScope scope_;
  forms::Form* detail_;
  int pumps_ = 0;
};

TEST_F(ModalFormsTest, AHostThatWaitsItselfReturnsAtOnce) {
  session_.setUi(std::make_unique<WaitingUi>());
  DisplayFormModal(detail_, true);
  EXPECT_EQ(pumps_, 0);
}

TEST_F(ModalFormsTest, LoadSubFormHandsTheFormToTheHostAndRegistersTheExit) {
  LoadSubForm(detail_);
  ASSERT_EQ(host_.subForms.size(), 1u);
  EXPECT_EQ(host_.subForms[0], detail_);
  EXPECT_TRUE(host_.screenExitCallback);
}

}  // namespace
}  // namespace corvena::runtime
