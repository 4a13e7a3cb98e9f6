#include "calc/DenominationCalculator.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <vector>

namespace {

struct Breakdown {
  int places[5];  // ones, tens, hundreds, thousands, ten-thousands
  int counts[10]; // 1, 5, 10, 50, 100, 500, 1000, 2000, 5000, 10000 yen
};

Breakdown FieldsOf(const DenominationCalculator& c) {
  Breakdown b = {
      {c.m_ones, c.m_tens, c.m_hundreds, c.m_thousands, c.m_tenThousands}, {}};
  std::memcpy(b.counts, c.m_counts, sizeof b.counts);
  return b;
}

std::vector<int> Vec(const int* p, int n) { return std::vector<int>(p, p + n); }

struct Example {
  int amount;
  Breakdown expected;
};

// The worked examples, places and counts as a cashier would count them.
const Example kExamples[] = {
    {1, {{1, 0, 0, 0, 0}, {1, 0, 0, 0, 0, 0, 0, 0, 0, 0}}},
    {4, {{4, 0, 0, 0, 0}, {4, 0, 0, 0, 0, 0, 0, 0, 0, 0}}},
    {5, {{5, 0, 0, 0, 0}, {0, 1, 0, 0, 0, 0, 0, 0, 0, 0}}},
    {9, {{9, 0, 0, 0, 0}, {4, 1, 0, 0, 0, 0, 0, 0, 0, 0}}},
    {4000, {{0, 0, 0, 4, 0}, {0, 0, 0, 0, 0, 0, 0, 2, 0, 0}}},
    {12345, {{5, 4, 3, 2, 1}, {0, 1, 4, 0, 3, 0, 0, 1, 0, 1}}},
    {88888, {{8, 8, 8, 8, 8}, {3, 1, 3, 1, 3, 1, 1, 1, 1, 8}}},
    {99999, {{9, 9, 9, 9, 9}, {4, 1, 4, 1, 4, 1, 0, 2, 1, 9}}},
    {123456, {{6, 5, 4, 3, 12}, {1, 1, 0, 1, 4, 0, 1, 1, 0, 12}}},
    {999999999, {{9, 9, 9, 9, 99999}, {4, 1, 4, 1, 4, 1, 0, 2, 1, 99999}}},
    {-7, {{-7, 0, 0, 0, 0}, {-2, -1, 0, 0, 0, 0, 0, 0, 0, 0}}},
    {-12345, {{-5, -4, -3, -2, -1}, {0, -1, -4, 0, -3, 0, 0, -1, 0, -1}}},
    {-99999999,
     {{-9, -9, -9, -9, -9999}, {-4, -1, -4, -1, -4, -1, 0, -2, -1, -9999}}},
    {INT_MAX, {{7, 4, 6, 3, 214748}, {2, 1, 4, 0, 1, 1, 1, 1, 0, 214748}}},
    {INT_MIN,
     {{-8, -4, -6, -3, -214748}, {-3, -1, -4, 0, -1, -1, -1, -1, 0, -214748}}},
};

TEST(DenominationCalculator, WorkedExamples) {
  for (const Example& e : kExamples) {
    DenominationCalculator c;
    ASSERT_EQ(1, c.Run(e.amount)) << "amount " << e.amount;
    const Breakdown got = FieldsOf(c);
    EXPECT_EQ(Vec(e.expected.places, 5), Vec(got.places, 5))
        << "places of " << e.amount;
    EXPECT_EQ(Vec(e.expected.counts, 10), Vec(got.counts, 10))
        << "counts of " << e.amount;
  }
}

TEST(DenominationCalculator, ThousandsPlaceUsesAtMostOneThousandNote) {
  // 5,000 / 2,000 / 1,000 yen pieces for each thousands digit.
  const int table[10][3] = {{0, 0, 0}, {0, 0, 1}, {0, 1, 0}, {0, 1, 1},
                            {0, 2, 0}, {1, 0, 0}, {1, 0, 1}, {1, 1, 0},
                            {1, 1, 1}, {1, 2, 0}};
  for (int digit = 0; digit <= 9; ++digit) {
    for (int sign = 1; sign >= -1; sign -= 2) {
      // A nonzero ones digit keeps the amount nonzero for digit 0.
      const int amount = sign * (digit * 1000 + 1);
      DenominationCalculator c;
      ASSERT_EQ(1, c.Run(amount));
      EXPECT_EQ(sign * table[digit][0], c.m_counts[8]) << "5000s of " << amount;
      EXPECT_EQ(sign * table[digit][1], c.m_counts[7]) << "2000s of " << amount;
      EXPECT_EQ(sign * table[digit][2], c.m_counts[6]) << "1000s of " << amount;
    }
  }
}

TEST(DenominationCalculator, NegativeAmountIsNegatedBreakdown) {
  const int amounts[] = {1, 7, 49, 555, 4000, 9999, 12345, 2000000001, INT_MAX};
  for (int a : amounts) {
    DenominationCalculator pos, neg;
    ASSERT_EQ(1, pos.Run(a));
    ASSERT_EQ(1, neg.Run(-a));
    const Breakdown p = FieldsOf(pos), n = FieldsOf(neg);
    for (int i = 0; i < 5; ++i)
      EXPECT_EQ(-p.places[i], n.places[i]) << "place " << i << " of -" << a;
    for (int i = 0; i < 10; ++i)
      EXPECT_EQ(-p.counts[i], n.counts[i]) << "count " << i << " of -" << a;
  }
}

TEST(DenominationCalculator, ZeroFailsAndChangesNothing) {
  DenominationCalculator fresh;
  EXPECT_EQ(0, fresh.Run(0));
  EXPECT_EQ(0, fresh.SplitDigits(0));
  EXPECT_EQ(0, fresh.Compute(0));
  const Breakdown zero = FieldsOf(fresh);
  EXPECT_EQ(std::vector<int>(5, 0), Vec(zero.places, 5));
  EXPECT_EQ(std::vector<int>(10, 0), Vec(zero.counts, 10));

  DenominationCalculator used;
  ASSERT_EQ(1, used.Run(88888));
  const Breakdown before = FieldsOf(used);
  EXPECT_EQ(0, used.Run(0));
  const Breakdown after = FieldsOf(used);
  EXPECT_EQ(Vec(before.places, 5), Vec(after.places, 5));
  EXPECT_EQ(Vec(before.counts, 10), Vec(after.counts, 10));
}

TEST(DenominationCalculator, RepeatedRunOverwritesEveryField) {
  DenominationCalculator c;
  ASSERT_EQ(1, c.Run(99999));
  ASSERT_EQ(1, c.Run(-7));
  const Breakdown b = FieldsOf(c);
  const int places[5] = {-7, 0, 0, 0, 0};
  const int counts[10] = {-2, -1, 0, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(Vec(places, 5), Vec(b.places, 5));
  EXPECT_EQ(Vec(counts, 10), Vec(b.counts, 10));
  ASSERT_EQ(1, c.Run(5));
  EXPECT_EQ(1, c.m_counts[1]);
  EXPECT_EQ(0, c.m_counts[0]);
}

} // namespace
