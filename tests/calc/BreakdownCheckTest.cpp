// The exhaustive check can fail: it finds the field in which a breakdown
// differs from the right one even where the pieces still sum to the amount
// and stay within their bounds, and its invariants reject what cannot be a
// breakdown at all.
#include "calc/BreakdownCheck.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

check::Fields Made(const int (&places)[5], const int (&counts)[10]) {
  check::Fields b;
  for (int i = 0; i < 5; ++i)
    b.f[i] = places[i];
  for (int i = 0; i < 10; ++i)
    b.f[5 + i] = counts[i];
  return b;
}

// The field in which b differs from the right breakdown of amount, or "".
std::string WrongField(int amount, const check::Fields& b) {
  const int i = check::FirstDifference(b, check::Reference(amount));
  return i < 0 ? "" : check::FieldName(i);
}

std::string Broken(int amount, const check::Fields& b) {
  const char* broken = check::BrokenInvariant(amount, b);
  return broken != 0 ? broken : "";
}

TEST(BreakdownCheck, TheReferenceIsTheCashiersBreakdown) {
  const check::Fields b12345 =
      Made({5, 4, 3, 2, 1}, {0, 1, 4, 0, 3, 0, 0, 1, 0, 1});
  EXPECT_EQ("", WrongField(12345, b12345));
  EXPECT_EQ("", Broken(12345, b12345));
  const check::Fields lowest = Made(
      {-8, -4, -6, -3, -214748}, {-3, -1, -4, 0, -1, -1, -1, -1, 0, -214748});
  EXPECT_EQ("", WrongField(INT_MIN, lowest));
  EXPECT_EQ("", Broken(INT_MIN, lowest));
}

TEST(BreakdownCheck, FindsWrongBreakdownsThatSumRight) {
  // 5,000 yen paid as 1,000 + 2 x 2,000: within every bound.
  const check::Fields fiveThousand =
      Made({0, 0, 0, 5, 0}, {0, 0, 0, 0, 0, 0, 1, 2, 0, 0});
  EXPECT_EQ("", Broken(5000, fiveThousand));
  EXPECT_EQ("m_counts[6] (1,000 yen)", WrongField(5000, fiveThousand));
  // Right pieces, but a place digit that is not the amount's.
  const check::Fields place =
      Made({5, 4, 7, 2, 1}, {0, 1, 4, 0, 3, 0, 0, 1, 0, 1});
  EXPECT_EQ("", Broken(12345, place));
  EXPECT_EQ("m_hundreds", WrongField(12345, place));
  // -4 yen as a 5-yen piece given and a 1-yen piece taken back: the sum
  // holds, within the bounds, but the 1-yen count has the wrong sign.
  EXPECT_EQ(
      "m_counts[0] (1 yen)",
      WrongField(-4, Made({-4, 0, 0, 0, 0}, {1, -1, 0, 0, 0, 0, 0, 0, 0, 0})));
}

TEST(BreakdownCheck, InvariantsRejectWhatCannotBeABreakdown) {
  const char* const kBounds =
      "a place digit or a count is out of its bounds or has the wrong sign";
  // 7 yen as seven 1-yen pieces.
  EXPECT_EQ(kBounds,
            Broken(7, Made({7, 0, 0, 0, 0}, {7, 0, 0, 0, 0, 0, 0, 0, 0, 0})));
  // A positive count in the breakdown of a negative amount.
  EXPECT_EQ(kBounds, Broken(-4, Made({-4, 0, 0, 0, 0},
                                     {-9, 1, 0, 0, 0, 0, 0, 0, 0, 0})));
  // Right pieces, but a place digit beyond 9.
  EXPECT_EQ(kBounds,
            Broken(10, Made({10, 0, 0, 0, 0}, {0, 0, 1, 0, 0, 0, 0, 0, 0, 0})));
  EXPECT_EQ("pieces do not sum to the amount",
            Broken(5, Made({5, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0})));
  EXPECT_EQ(
      "the 10,000-yen count differs from the ten-thousands place",
      Broken(20000, Made({0, 0, 0, 0, 1}, {0, 0, 0, 0, 0, 0, 0, 0, 0, 2})));
}

} // namespace
