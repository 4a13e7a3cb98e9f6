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

// The value of each piece, 1 to 10,000 yen, and the most pieces of it that a
// breakdown can hold: the check's own tables, not the calculator's, and
// constants, so that the sum and the bounds compile to a few instructions.
constexpr long long kPieceYen[DenominationCalculator::kDenominations] = {
    1, 5, 10, 50, 100, 500, 1000, 2000, 5000, 10000};
constexpr unsigned kMostPieces[DenominationCalculator::kDenominations] = {
    4, 1, 4, 1, 4, 1, 1, 2, 1, 214748}; // 214748: INT_MAX / 10000

// Whether v carries the sign of the amount (or is 0) and its magnitude is at
// most bound. sign is 1 or -1; the product is taken in unsigned arithmetic,
// where a value of the wrong sign, or any INT_MIN, becomes a large number.
inline bool Fits(int v, unsigned sign, unsigned bound) {
  return static_cast<unsigned>(v) * sign <= bound;
}

} // namespace detail

inline const char* CheckBreakdown(int amount, const DenominationCalculator& c) {
  const int* n = c.m_counts;
  long long sum = 0;
  for (int i = 0; i < DenominationCalculator::kDenominations; ++i)
    sum += n[i] * detail::kPieceYen[i];
  if (sum != amount)
    return "pieces do not sum to the amount";
  const unsigned sign = amount > 0 ? 1u : ~0u; // ~0u: -1
  bool fit = true;
  for (int i = 0; i < DenominationCalculator::kDenominations; ++i)
    fit &= detail::Fits(n[i], sign, detail::kMostPieces[i]);
  if (!fit)
    return "a count is out of its bounds or has the wrong sign";
  if (!(detail::Fits(c.m_ones, sign, 9) && detail::Fits(c.m_tens, sign, 9) &&
        detail::Fits(c.m_hundreds, sign, 9) &&
        detail::Fits(c.m_thousands, sign, 9)))
    return "a place digit is out of range or of the wrong sign";
  if (n[9] != c.m_tenThousands)
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
