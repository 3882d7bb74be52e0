#include <gtest/gtest.h>

#include "platform/forms/session.h"
#include "runtime/kelpbas.h"
#include "runtime/text_value.h"

namespace corvena::runtime {
namespace {

class StartRoutinesTest : public ::testing::Test {
 protected:
  StartRoutinesTest() : host_(host::HostServices{}), hostScope_(host_), scope_(session_) {
    resetRuntimeState();
    form_ = &session_.loadForm(forms::FormDesc{"Form1", "Test", {}});
    host_.screenWidth = 28800;
    host_.screenTop = 600;
    host_.screenTopExtra = 450;
  }
  ~StartRoutinesTest() override { resetRuntimeState(); }
  host::HostProcess host_;
  host::HostProcessScope hostScope_;
  forms::Session session_;
  forms::SessionScope scope_;
  forms::Form* form_;
};

TEST_F(StartRoutinesTest, CenterFormCentresAcrossAndPlacesBelowTheHostsBar) {
  host::FormPosition(*form_).width = 9000;
  host::FormPosition(*form_).height = 5000;
  CenterForm(*form_);
  EXPECT_EQ(host::FormPosition(*form_).left, 9900);
  EXPECT_EQ(host::FormPosition(*form_).top, 1050);
  EXPECT_EQ(host::FormPosition(*form_).width, 9000);
  EXPECT_EQ(host::FormPosition(*form_).height, 5000);
}

TEST_F(StartRoutinesTest, AFormWiderThanTheScreenGetsANegativeLeft) {
  host::FormPosition(*form_).width = 40000;
  CenterForm(*form_);
  EXPECT_EQ(host::FormPosition(*form_).left, -5600);
}

TEST_F(StartRoutinesTest, TheTransferGenerationUsesTheScreenTopAlone) {
  Runtime = transferRuntime();
  CenterForm(*form_);
  EXPECT_EQ(host::FormPosition(*form_).top, 600);
}

TEST_F(StartRoutinesTest, SetMousePointerIsScreenWide) {
  SetMousePointer(PointerHourglass);
  EXPECT_EQ(host_.mousePointer, 11);
  SetMousePointer(PointerDefault);
  EXPECT_EQ(host_.mousePointer, 0);
}

TEST(TextValue, LeadingNumbersAreRead) {
  EXPECT_EQ(Val("5"), 5);
  EXPECT_EQ(Val(" 12ab"), 12);
  EXPECT_EQ(Val("-3.5x"), -3.5);
  EXPECT_EQ(Val(""), 0);
  EXPECT_EQ(Val("abc"), 0);
  EXPECT_EQ(ValInt16("5"), 5);
  EXPECT_THROW(ValInt16("40000"), forms::RuntimeError);
  EXPECT_EQ(ValInt32("40000"), 40000);
}

TEST(TextValue, NumbersAreWrittenWithASignPlace) {
  EXPECT_EQ(Str(2), " 2");
  EXPECT_EQ(Str(-2), "-2");
}

}  // namespace
}  // namespace corvena::runtime
