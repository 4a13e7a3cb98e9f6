// The platform-free rules: reading the entry box's text, the decimal text of
// a row's numbers, and reading a column's text back into a number.
#include "controls/DecimalText.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <random>
#include <string>

namespace {

struct AmountCase {
  const char* text;
  decimal::ParseResult result;
  int amount;
};

TEST(ReadAmountText, TheEntryBoxExamples) {
  const AmountCase cases[] = {
      {"12345", decimal::kNumber, 12345},
      {"007", decimal::kNumber, 7},
      {"0", decimal::kNumber, 0},
      {"000", decimal::kNumber, 0},
      {"1234567890", decimal::kNumber, 1234567890},
      {"9999999999", decimal::kOutOfRange, 0},
      {" 42", decimal::kNumber, 42},
      {"+5", decimal::kNumber, 5},
      {"-7", decimal::kNumber, -7},
      {"12abc", decimal::kNumber, 12},
      {"", decimal::kNoDigits, 0},
      {"abc", decimal::kNoDigits, 0},
      {"-", decimal::kNoDigits, 0},
      {"+", decimal::kNoDigits, 0},
      {"   ", decimal::kNoDigits, 0},
  };
  for (const AmountCase& c : cases) {
    int amount = 99;
    EXPECT_EQ(c.result, decimal::ReadAmountText(c.text, &amount))
        << '"' << c.text << '"';
    EXPECT_EQ(c.amount, amount) << '"' << c.text << '"';
  }
}

TEST(ReadAmountText, EndsOfTheThirtyTwoBitRange) {
  const AmountCase cases[] = {
      {"2147483647", decimal::kNumber, INT_MAX},
      {"2147483648", decimal::kOutOfRange, 0},
      {"-2147483648", decimal::kNumber, INT_MIN},
      {"-2147483649", decimal::kOutOfRange, 0},
      {"-999999999", decimal::kNumber, -999999999},
      {"99999999999999999999999999", decimal::kOutOfRange, 0},
      // Beyond 32 and 64 bits, never wrapped round: 2^32 + 5 is not 5.
      {"4294967301", decimal::kOutOfRange, 0},
      {"-4294967301", decimal::kOutOfRange, 0},
      {"18446744073709551621", decimal::kOutOfRange, 0},
      {"-18446744073709551621", decimal::kOutOfRange, 0},
      // Leading zeros do not count toward the range.
      {"0000000000000000000000000042", decimal::kNumber, 42},
      {"-0", decimal::kNumber, 0},
  };
  for (const AmountCase& c : cases) {
    int amount = 99;
    EXPECT_EQ(c.result, decimal::ReadAmountText(c.text, &amount))
        << '"' << c.text << '"';
    EXPECT_EQ(c.amount, amount) << '"' << c.text << '"';
  }
}

TEST(ReadAmountText, WhiteSpaceSignsAndOtherCharacters) {
  const AmountCase cases[] = {
      {"\t\n\v\f\r 8", decimal::kNumber, 8},
      {"- 5", decimal::kNoDigits, 0}, // the sign must touch the digits
      {"+-5", decimal::kNoDigits, 0}, // one sign at most
      {"--5", decimal::kNoDigits, 0},
      {"5 6", decimal::kNumber, 5},
      {"1,000", decimal::kNumber, 1},      // no separators
      {"\x82\x54", decimal::kNoDigits, 0}, // full-width 5 in CP932
      {"\xa0"
       "5",
       decimal::kNoDigits, 0},       // not a C white-space byte
      {"0x1F", decimal::kNumber, 0}, // decimal only
  };
  for (const AmountCase& c : cases) {
    int amount = 99;
    EXPECT_EQ(c.result, decimal::ReadAmountText(c.text, &amount))
        << '"' << c.text << '"';
    EXPECT_EQ(c.amount, amount) << '"' << c.text << '"';
  }
}

std::string Formatted(long long v) {
  char text[decimal::kInt64TextSize];
  const int length = decimal::Format(v, text);
  EXPECT_EQ(std::string(text).size(), static_cast<size_t>(length));
  return text;
}

TEST(DecimalFormat, SignsZeroAndTheSixtyFourBitEnds) {
  EXPECT_EQ("0", Formatted(0));
  EXPECT_EQ("7", Formatted(7));
  EXPECT_EQ("-1", Formatted(-1));
  EXPECT_EQ("1999999998", Formatted(1999999998));
  EXPECT_EQ("9223372036854775807", Formatted(LLONG_MAX));
  EXPECT_EQ("-9223372036854775808", Formatted(LLONG_MIN));
  EXPECT_EQ(decimal::kInt64TextSize - 1,
            static_cast<int>(Formatted(LLONG_MIN).size()));
}

TEST(DecimalFormat, RoundTripsThroughTheColumnReader) {
  std::mt19937_64 random(20261209);
  for (int i = 0; i < 20000; ++i) {
    // Spread over every length: shift a random value right by 0 to 63.
    long long v = static_cast<long long>(random() >> (i % 64));
    if (i % 2)
      v = -v;
    char expected[32];
    std::snprintf(expected, sizeof expected, "%lld", v);
    ASSERT_EQ(expected, Formatted(v));
    long long back = 0;
    ASSERT_TRUE(decimal::ReadLikeAtoi(expected, &back)) << expected;
    ASSERT_EQ(v, back) << expected;
  }
}

TEST(ReadLikeAtoi, AtoiRulesSixtyFourBitsWide) {
  long long v = 5;
  EXPECT_TRUE(decimal::ReadLikeAtoi("", &v));
  EXPECT_EQ(0, v);
  EXPECT_TRUE(decimal::ReadLikeAtoi("SUM", &v));
  EXPECT_EQ(0, v);
  EXPECT_TRUE(decimal::ReadLikeAtoi("  -12x", &v));
  EXPECT_EQ(-12, v);
  EXPECT_TRUE(decimal::ReadLikeAtoi("3999999996", &v));
  EXPECT_EQ(3999999996LL, v);
  EXPECT_TRUE(decimal::ReadLikeAtoi("-9223372036854775808", &v));
  EXPECT_EQ(LLONG_MIN, v);
  EXPECT_TRUE(decimal::ReadLikeAtoi("-4294967301", &v));
  EXPECT_EQ(-4294967301LL, v);
  v = 5;
  // Beyond 64 bits, never wrapped round: 2^64 + 5 and 2^65 + 5 are not 5.
  for (const char* beyond :
       {"9223372036854775808", "-9223372036854775809", "18446744073709551621",
        "-18446744073709551621", "36893488147419103237",
        "99999999999999999999999999999999999999999999999999"})
    EXPECT_FALSE(decimal::ReadLikeAtoi(beyond, &v)) << beyond;
  EXPECT_EQ(5, v) << "a refused text leaves the value alone";
}

TEST(AddChecked, RefusesToLeaveTheRange) {
  long long sum = LLONG_MAX - 1;
  EXPECT_TRUE(decimal::AddChecked(&sum, 1));
  EXPECT_EQ(LLONG_MAX, sum);
  EXPECT_FALSE(decimal::AddChecked(&sum, 1));
  EXPECT_EQ(LLONG_MAX, sum);
  EXPECT_TRUE(decimal::AddChecked(&sum, LLONG_MIN));
  EXPECT_EQ(-1, sum);
  sum = LLONG_MIN;
  EXPECT_FALSE(decimal::AddChecked(&sum, -1));
  EXPECT_EQ(LLONG_MIN, sum);
  EXPECT_TRUE(decimal::AddChecked(&sum, 0));
}

} // namespace
