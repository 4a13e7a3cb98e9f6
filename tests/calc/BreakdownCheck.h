// The one right breakdown of an amount, worked out apart from the calculator,
// and the invariants that every breakdown keeps: the exhaustive check holds
// every 32-bit amount's breakdown against both.
#pragma once

#include "calc/DenominationCalculator.h"

#include <string>

namespace check {

// A breakdown as its fifteen fields, in the calculator's order: the ones,
// tens, hundreds and thousands places and the ten-thousands, then the pieces
// of 1 to 10,000 yen.
const int kFields = 15;
struct Fields {
  int f[kFields];
};

// The value of each piece, and the most pieces of it that a breakdown holds
// (214748: INT_MAX / 10000): the check's own tables, not the calculator's.
constexpr unsigned kPieceYen[10] = {1,   5,    10,   50,   100,
                                    500, 1000, 2000, 5000, 10000};
constexpr unsigned kMostPieces[10] = {4, 1, 4, 1, 4, 1, 1, 2, 1, 214748};

inline Fields FieldsOf(const DenominationCalculator& c) {
  Fields r = {
      {c.m_ones, c.m_tens, c.m_hundreds, c.m_thousands, c.m_tenThousands}};
  for (int i = 0; i < 10; ++i)
    r.f[5 + i] = c.m_counts[i];
  return r;
}

inline std::string FieldName(int i) {
  static const char* const kPlaces[5] = {"m_ones", "m_tens", "m_hundreds",
                                         "m_thousands", "m_tenThousands"};
  if (i < 5)
    return kPlaces[i];
  return "m_counts[" + std::to_string(i - 5) + "] (" +
         std::to_string(kPieceYen[i - 5]) + " yen)";
}

// The right breakdown of amount (not 0), from its magnitude: the place
// digits by repeated division by ten, the pieces by paying the largest
// denomination first, as many of each as fit; then the amount's sign put
// back on every field.
inline Fields Reference(int amount) {
  const unsigned magnitude = amount < 0 ? 0u - static_cast<unsigned>(amount)
                                        : static_cast<unsigned>(amount);
  Fields r;
  unsigned rest = magnitude;
  for (int i = 0; i < 4; ++i, rest /= 10)
    r.f[i] = static_cast<int>(rest % 10);
  r.f[4] = static_cast<int>(rest);
  rest = magnitude;
  for (int i = 9; i >= 0; rest %= kPieceYen[i], --i)
    r.f[5 + i] = static_cast<int>(rest / kPieceYen[i]);
  for (int& v : r.f)
    v = amount < 0 ? -v : v;
  return r;
}

// The first field in which got differs from right, or -1 where none does.
inline int FirstDifference(const Fields& got, const Fields& right) {
  for (int i = 0; i < kFields; ++i)
    if (got.f[i] != right.f[i])
      return i;
  return -1;
}

// The invariants of a breakdown of amount: the pieces sum back to it, the
// place digits and the counts stay within their bounds and carry its sign,
// and the 10,000-yen count is the ten-thousands field. NULL, or what is
// wrong.
inline const char* BrokenInvariant(int amount, const Fields& b) {
  const int* n = b.f + 5;
  long long sum = 0;
  for (int i = 0; i < 10; ++i)
    sum += static_cast<long long>(n[i]) * kPieceYen[i];
  if (sum != amount)
    return "pieces do not sum to the amount";
  // Times the sign in unsigned arithmetic, a value of the wrong sign becomes
  // a large one.
  const unsigned sign = amount > 0 ? 1u : ~0u;
  bool fits = true;
  for (int i = 0; i < 4; ++i)
    fits &= static_cast<unsigned>(b.f[i]) * sign <= 9;
  for (int i = 0; i < 10; ++i)
    fits &= static_cast<unsigned>(n[i]) * sign <= kMostPieces[i];
  if (!fits)
    return "a place digit or a count is out of its bounds or of the wrong "
           "sign";
  if (n[9] != b.f[4])
    return "the 10,000-yen count differs from the ten-thousands place";
  return 0;
}

} // namespace check
