// Amount rounding: half away from zero on the decimal value, not the binary one.
#include "platform/forms/fp.h"

#include <gtest/gtest.h>

#include <cmath>

namespace corvena::forms {
namespace {

TEST(FpTest, BinaryRepresentationErrorDoesNotLeakIntoRounding) {
  EXPECT_EQ(fpRound(2.675, 2), 2.68);
  EXPECT_EQ(fpRound(1.005, 2), 1.01);
  EXPECT_EQ(fpRound(0.1 + 0.2, 2), 0.3);
  EXPECT_EQ(fpRound(1.0000000000000002, 2), 1.0);
}

TEST(FpTest, HalvesRoundAwayFromZero) {
  EXPECT_EQ(fpRound(0.125, 2), 0.13);
  EXPECT_EQ(fpRound(-0.125, 2), -0.13);
  EXPECT_EQ(fpRound(-2.675, 2), -2.68);
  EXPECT_EQ(fpRound(2.5, 0), 3.0);
  EXPECT_EQ(fpRound(-2.5, 0), -3.0);
}

TEST(FpTest, NoNegativeZero) {
  const double r = fpRound(-0.001, 2);
  EXPECT_EQ(r, 0.0);
  EXPECT_FALSE(std::signbit(r));
}

TEST(FpTest, LargeAmountsKeepTheirCents) {
  EXPECT_EQ(fpRound(9999999999.995, 2), 10000000000.0);
  EXPECT_EQ(fpRound(123456789.125, 2), 123456789.13);
}

// Sums off the cent by a binary error come back to the cent, either side of it.
TEST(FpTest, SumsNearACentComeBackToIt) {
  for (int cents = -300000; cents <= 300000; cents += 7) {
    const double amount = cents / 100.0;
    EXPECT_EQ(fpRound(amount + (0.1 + 0.2 - 0.3), 2), amount) << cents;
    EXPECT_EQ(fpRound(amount - 0.004, 2), amount) << cents;
    EXPECT_EQ(fpRound(amount + 0.004, 2), amount) << cents;
  }
}

TEST(FpTest, CurrencyPrecisionUsesTheCurrencysDecimals) {
  EXPECT_EQ(fpRoundTo(2.675, kCurrencyPrecision, 2), 2.68);
  EXPECT_EQ(fpRoundTo(2.5, kCurrencyPrecision, 0), 3.0);
  EXPECT_EQ(fpRoundTo(1.23456, 3, 2), 1.235);
  EXPECT_EQ(fpRoundTo(1.23456, -1, 2), 1.23456);
}

}  // namespace
}  // namespace corvena::forms
