// The one right breakdown of an amount, worked out apart from the calculator,
// and the invariants that every breakdown keeps: the exhaustive check holds
// the breakdown of every 32-bit amount against both. Inline, so that the
// check costs little beside the calculator's own work.
#pragma once

#include "calc/DenominationCalculator.h"

namespace check {

// A breakdown as its fifteen fields, in the calculator's order: the ones,
// tens, hundreds and thousands places and the ten-thousands, then the pieces
// of 1, 5, 10, 50, 100, 500, 1,000, 2,000, 5,000 and 10,000 yen.
const int kFields = 15;
struct Fields {
  int f[kFields];
};

inline Fields FieldsOf(const DenominationCalculator& c) {
  Fields r = {
      {c.m_ones, c.m_tens, c.m_hundreds, c.m_thousands, c.m_tenThousands}};
  for (int i = 0; i < 10; ++i)
    r.f[5 + i] = c.m_counts[i];
  return r;
}

inline const char* FieldName(int i) {
  static const char* const kNames[kFields] = {"m_ones",
                                              "m_tens",
                                              "m_hundreds",
                                              "m_thousands",
                                              "m_tenThousands",
                                              "m_counts[0] (1 yen)",
                                              "m_counts[1] (5 yen)",
                                              "m_counts[2] (10 yen)",
                                              "m_counts[3] (50 yen)",
                                              "m_counts[4] (100 yen)",
                                              "m_counts[5] (500 yen)",
                                              "m_counts[6] (1,000 yen)",
                                              "m_counts[7] (2,000 yen)",
                                              "m_counts[8] (5,000 yen)",
                                              "m_counts[9] (10,000 yen)"};
  return kNames[i];
}

namespace detail {

// The value of each piece and the most pieces of it that a breakdown can
// hold: the check's own tables, not the calculator's.
constexpr unsigned kPieceYen[10] = {1,   5,    10,   50,   100,
                                    500, 1000, 2000, 5000, 10000};
constexpr unsigned kMostPieces[10] = {
    4, 1, 4, 1, 4, 1, 1, 2, 1, 214748}; // 214748: INT_MAX / 10000

// Whether v carries the sign of the amount (or is 0) and its magnitude is at
// most bound. sign is 1 or -1; the product is taken in unsigned arithmetic,
// where a value of the wrong sign, or any INT_MIN, becomes a large number.
inline bool Fits(int v, unsigned sign, unsigned bound) {
  return static_cast<unsigned>(v) * sign <= bound;
}

} // namespace detail

// The right breakdown of amount (not 0), from its magnitude: the place
// digits by repeated division by ten, the pieces by paying the largest
// denomination first, as many of each as fit; then the amount's sign put
// back on every field.
inline Fields Reference(int amount) {
  const unsigned magnitude = amount < 0 ? 0u - static_cast<unsigned>(amount)
                                        : static_cast<unsigned>(amount);
  Fields r;
  unsigned rest = magnitude;
  for (int i = 0; i < 4; ++i) {
    r.f[i] = static_cast<int>(rest % 10);
    rest /= 10;
  }
  r.f[4] = static_cast<int>(rest);
  rest = magnitude;
  for (int i = 9; i >= 0; --i) {
    r.f[5 + i] = static_cast<int>(rest / detail::kPieceYen[i]);
    rest %= detail::kPieceYen[i];
  }
  if (amount < 0)
    for (int& v : r.f)
      v = -v;
  return r;
}

// The first field in which got differs from right, or -1 where none does.
inline int FirstDifference(const Fields& got, const Fields& right) {
  int differs = 0;
  for (int i = 0; i < kFields; ++i)
    differs |= got.f[i] ^ right.f[i];
  if (differs == 0)
    return -1;
  int i = 0;
  while (got.f[i] == right.f[i])
    ++i;
  return i;
}

// The invariants of a breakdown of amount: the pieces sum back to it, the
// place digits and the counts stay within their bounds and carry its sign,
// and the 10,000-yen count is the ten-thousands field. Returns NULL, or what
// is wrong.
inline const char* BrokenInvariant(int amount, const Fields& b) {
  const int* n = b.f + 5;
  long long sum = 0;
  for (int i = 0; i < 10; ++i)
    sum += static_cast<long long>(n[i]) * detail::kPieceYen[i];
  if (sum != amount)
    return "pieces do not sum to the amount";
  const unsigned sign = amount > 0 ? 1u : ~0u; // ~0u: -1
  bool fit = true;
  for (int i = 0; i < 10; ++i)
    fit &= detail::Fits(n[i], sign, detail::kMostPieces[i]);
  for (int i = 0; i < 4; ++i)
    fit &= detail::Fits(b.f[i], sign, 9);
  if (!fit)
    return "a place digit or a count is out of its bounds or has the wrong "
           "sign";
  if (n[9] != b.f[4])
    return "the 10,000-yen count differs from the ten-thousands place";
  return 0;
}

} // namespace check
