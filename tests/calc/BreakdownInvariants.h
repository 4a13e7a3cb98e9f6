// What holds for the breakdown of every amount: used by the exhaustive check
// over all 32-bit amounts and by the breakdown's fuzz target. Inline, so
// that the check of 4.3 billion breakdowns costs no calls.
#pragma once

#include "calc/DenominationCalculator.h"

// invariants::CheckBreakdown(amount, c): checks one successful breakdown of
// amount: the pieces sum back to it, the place digits and the counts stay
// within their bounds and carry its sign, and the 10,000-yen count is the
// ten-thousands field. Returns NULL, or what is wrong.
// invariants::IsNegationOf(p, q): whether q holds p with every field negated.
namespace invariants {

namespace detail {

inline bool IsPlaceDigit(int v, int amount) {
  if (v < -9 || v > 9)
    return false;
  return v == 0 || (v > 0) == (amount > 0);
}

inline bool Within(int v, int bound) { return v >= -bound && v <= bound; }

} // namespace detail

inline const char* CheckBreakdown(int amount, const DenominationCalculator& c) {
  long long sum = 0;
  int lowest = 0, highest = 0;
  for (int i = 0; i < DenominationCalculator::kDenominations; ++i) {
    const int n = c.m_counts[i];
    sum += static_cast<long long>(n) * DenominationCalculator::kYen[i];
    lowest = n < lowest ? n : lowest;
    highest = n > highest ? n : highest;
  }
  if (sum != amount)
    return "pieces do not sum to the amount";
  if ((amount > 0 && lowest < 0) || (amount < 0 && highest > 0))
    return "a count has the wrong sign";
  if (!detail::IsPlaceDigit(c.m_ones, amount) ||
      !detail::IsPlaceDigit(c.m_tens, amount) ||
      !detail::IsPlaceDigit(c.m_hundreds, amount) ||
      !detail::IsPlaceDigit(c.m_thousands, amount))
    return "a place digit is out of range or of the wrong sign";
  const int* n = c.m_counts;
  if (!detail::Within(n[0], 4) || !detail::Within(n[2], 4) ||
      !detail::Within(n[4], 4) || !detail::Within(n[1], 1) ||
      !detail::Within(n[3], 1) || !detail::Within(n[5], 1) ||
      !detail::Within(n[6], 1) || !detail::Within(n[8], 1) ||
      !detail::Within(n[7], 2))
    return "a count is out of its bounds";
  if (n[9] != c.m_tenThousands || !detail::Within(n[9], 214748))
    return "the 10,000-yen count differs from the ten-thousands place";
  return 0;
}

inline bool IsNegationOf(const DenominationCalculator& p,
                         const DenominationCalculator& q) {
  if (p.m_ones != -q.m_ones || p.m_tens != -q.m_tens ||
      p.m_hundreds != -q.m_hundreds || p.m_thousands != -q.m_thousands ||
      p.m_tenThousands != -q.m_tenThousands)
    return false;
  for (int i = 0; i < DenominationCalculator::kDenominations; ++i)
    if (p.m_counts[i] != -q.m_counts[i])
      return false;
  return true;
}

} // namespace invariants
