// The breakdown of any amount keeps every invariant, and the breakdown of
// its negation is the negated breakdown.
#include "calc/BreakdownInvariants.h"

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < sizeof(int))
    return 0;
  int amount;
  std::memcpy(&amount, data, sizeof amount);
  DenominationCalculator c;
  if (amount == 0) {
    if (c.Run(0) != 0 || c.m_counts[0] != 0)
      std::abort();
    return 0;
  }
  if (c.Run(amount) != 1 || invariants::CheckBreakdown(amount, c) != 0)
    std::abort();
  if (amount != INT_MIN) {
    DenominationCalculator n;
    if (n.Run(-amount) != 1 || !invariants::IsNegationOf(c, n))
      std::abort();
  }
  // A failing run afterwards changes nothing.
  const DenominationCalculator before = c;
  if (c.Run(0) != 0 || c.m_ones != before.m_ones || c.m_tens != before.m_tens ||
      c.m_hundreds != before.m_hundreds ||
      c.m_thousands != before.m_thousands ||
      c.m_tenThousands != before.m_tenThousands ||
      std::memcmp(c.m_counts, before.m_counts, sizeof c.m_counts) != 0)
    std::abort();
  return 0;
}
