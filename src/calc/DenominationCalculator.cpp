#include "calc/DenominationCalculator.h"

DenominationCalculator::DenominationCalculator()
    : m_ones(0), m_tens(0), m_hundreds(0), m_thousands(0), m_tenThousands(0),
      m_counts() {}

DenominationCalculator::~DenominationCalculator() {}

int DenominationCalculator::Run(int amount) {
  return Compute(amount) != 0 ? 1 : 0;
}

int DenominationCalculator::Compute(int amount) {
  if (SplitDigits(amount) == 0)
    return 0;
  // C++ division truncates toward zero and the remainder keeps the sign of
  // the dividend, so a negative place yields the negated pieces.
  m_counts[0] = m_ones % 5;
  m_counts[1] = m_ones / 5;
  m_counts[2] = m_tens % 5;
  m_counts[3] = m_tens / 5;
  m_counts[4] = m_hundreds % 5;
  m_counts[5] = m_hundreds / 5;
  m_counts[6] = (m_thousands % 5) % 2;
  m_counts[7] = (m_thousands % 5) / 2;
  m_counts[8] = m_thousands / 5;
  m_counts[9] = m_tenThousands;
  return 1;
}

int DenominationCalculator::SplitDigits(int amount) {
  if (amount == 0)
    return 0;
  // Every quotient is taken from the amount itself, and each product 10 * q
  // lies between 0 and the amount, so nothing overflows even at INT_MIN.
  const int q1 = amount / 10;
  const int q2 = amount / 100;
  const int q3 = amount / 1000;
  const int q4 = amount / 10000;
  m_ones = amount - 10 * q1;
  m_tens = q1 - 10 * q2;
  m_hundreds = q2 - 10 * q3;
  m_thousands = q3 - 10 * q4;
  m_tenThousands = q4;
  return 1;
}
