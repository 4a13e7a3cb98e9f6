// The invariants that the exhaustive check and the fuzz target rely on must
// reject every kind of wrong breakdown, or those checks could never fail.
#include "calc/BreakdownInvariants.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

// A breakdown set by hand, field by field.
DenominationCalculator Made(const int (&places)[5], const int (&counts)[10]) {
  DenominationCalculator c;
  c.m_ones = places[0];
  c.m_tens = places[1];
  c.m_hundreds = places[2];
  c.m_thousands = places[3];
  c.m_tenThousands = places[4];
  for (int i = 0; i < 10; ++i)
    c.m_counts[i] = counts[i];
  return c;
}

std::string Fault(int amount, const DenominationCalculator& c) {
  const char* fault = invariants::CheckBreakdown(amount, c);
  return fault != 0 ? fault : "";
}

TEST(BreakdownInvariants, AcceptTheTrueBreakdownsOfBothSigns) {
  EXPECT_EQ(
      "", Fault(12345, Made({5, 4, 3, 2, 1}, {0, 1, 4, 0, 3, 0, 0, 1, 0, 1})));
  EXPECT_EQ("", Fault(-12345, Made({-5, -4, -3, -2, -1},
                                   {0, -1, -4, 0, -3, 0, 0, -1, 0, -1})));
  DenominationCalculator top;
  ASSERT_EQ(1, top.Run(INT_MAX));
  EXPECT_EQ("", Fault(INT_MAX, top));
}

TEST(BreakdownInvariants, RejectEachKindOfWrongBreakdown) {
  // 7 yen as seven 1-yen pieces: the sum is right, the count is not.
  EXPECT_EQ("a count is out of its bounds or has the wrong sign",
            Fault(7, Made({7, 0, 0, 0, 0}, {7, 0, 0, 0, 0, 0, 0, 0, 0, 0})));
  // 6 yen as a 10-yen piece and four 1-yen pieces given back.
  EXPECT_EQ("a count is out of its bounds or has the wrong sign",
            Fault(6, Made({6, 0, 0, 0, 0}, {-4, 0, 1, 0, 0, 0, 0, 0, 0, 0})));
  // A positive count in the breakdown of a negative amount.
  EXPECT_EQ("a count is out of its bounds or has the wrong sign",
            Fault(-4, Made({-4, 0, 0, 0, 0}, {-9, 1, 0, 0, 0, 0, 0, 0, 0, 0})));
  // A piece too few.
  EXPECT_EQ("pieces do not sum to the amount",
            Fault(5, Made({5, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0})));
  // Right pieces, but a place digit beyond 9.
  EXPECT_EQ("a place digit is out of range or of the wrong sign",
            Fault(10, Made({10, 0, 0, 0, 0}, {0, 0, 1, 0, 0, 0, 0, 0, 0, 0})));
  EXPECT_EQ("a place digit is out of range or of the wrong sign",
            Fault(-10, Made({0, 1, 0, 0, 0}, {0, 0, -1, 0, 0, 0, 0, 0, 0, 0})));
  // Right pieces, but the ten-thousands place says otherwise.
  EXPECT_EQ(
      "the 10,000-yen count differs from the ten-thousands place",
      Fault(20000, Made({0, 0, 0, 0, 1}, {0, 0, 0, 0, 0, 0, 0, 0, 0, 2})));
}

TEST(BreakdownInvariants, NegationComparesEveryField) {
  const DenominationCalculator p =
      Made({5, 4, 3, 2, 1}, {0, 1, 4, 0, 3, 0, 0, 1, 0, 1});
  const DenominationCalculator q =
      Made({-5, -4, -3, -2, -1}, {0, -1, -4, 0, -3, 0, 0, -1, 0, -1});
  EXPECT_TRUE(invariants::IsNegationOf(p, q));
  EXPECT_FALSE(invariants::IsNegationOf(p, p));
  for (int i = 0; i < 10; ++i) {
    DenominationCalculator r = q;
    r.m_counts[i] += 1;
    EXPECT_FALSE(invariants::IsNegationOf(p, r)) << "count " << i;
  }
  DenominationCalculator r = q;
  r.m_hundreds = 3;
  EXPECT_FALSE(invariants::IsNegationOf(p, r));
}

} // namespace
