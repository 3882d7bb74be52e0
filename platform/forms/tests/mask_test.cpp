// Input masks: what each mask character takes and how literals are filled in.
#include "platform/forms/mask.h"

#include <gtest/gtest.h>

namespace corvena::forms {
namespace {

TEST(MaskTest, DigitsOnly) {
  EXPECT_EQ(applyMask("9999999999", "0000000042"), "0000000042");
  EXPECT_EQ(applyMask("9999999999", "42"), "42");
  EXPECT_EQ(applyMask("9999999999", "4a"), std::nullopt);
  EXPECT_EQ(applyMask("9999999999", "12345678901"), std::nullopt);
  EXPECT_EQ(applyMask("9999", "1 2"), std::nullopt);
}

TEST(MaskTest, UpperCaseLettersAndDigits) {
  EXPECT_EQ(applyMask("UUUUUUUUUU", "chk-1"), std::nullopt);
  EXPECT_EQ(applyMask("UUUUUUUUUU", "chk1"), "CHK1");
}

TEST(MaskTest, AnyCharacterKeepsCase) {
  EXPECT_EQ(applyMask("XXXXXXXXXX", "Wash 1-a"), "Wash 1-a");
  EXPECT_EQ(applyMask("XXX", "abcd"), std::nullopt);
  EXPECT_EQ(applyMask("!!!", "ab-"), "AB-");
}

TEST(MaskTest, LettersAndAlphanumerics) {
  EXPECT_EQ(applyMask("LLL", "ab1"), std::nullopt);
  EXPECT_EQ(applyMask("AAA", "a1B"), "a1B");
}

TEST(MaskTest, LiteralsAreFilledInOrTyped) {
  const std::string phone = "(999)999-9999 99999";
  EXPECT_EQ(applyMask(phone, "5551234567"), "(555)123-4567");
  EXPECT_EQ(applyMask(phone, "(555)123-4567"), "(555)123-4567");
  EXPECT_EQ(applyMask(phone, "555123456712"), "(555)123-4567 12");
  EXPECT_EQ(applyMask(phone, "555x"), std::nullopt);
}

TEST(MaskTest, EmptyMaskTakesAnything) {
  EXPECT_EQ(applyMask("", "any text"), "any text");
}

}  // namespace
}  // namespace corvena::forms
