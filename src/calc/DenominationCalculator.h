// Breaks an amount of yen into the pieces of the ten yen denominations.
#pragma once

// Each decimal place of the amount is paid on its own: the ones, tens and
// hundreds with at most one five-unit piece and four one-unit pieces, the
// thousands with 5,000, 2,000 and 1,000 yen, and everything from the
// ten-thousands upward in 10,000-yen notes. For a positive amount this is
// the same as paying greedily, largest denomination first; a negative amount
// gets the negated breakdown of its absolute value.
class DenominationCalculator {
public:
  // Number of denominations; m_counts is indexed low to high.
  static const int kDenominations = 10;

  DenominationCalculator();
  virtual ~DenominationCalculator();

  // Fills every field with the breakdown of amount and returns 1, or returns
  // 0 for an amount of 0 and changes nothing.
  int Run(int amount);
  // Splits amount into places, then derives the counts; 0 when nothing split.
  int Compute(int amount);
  // Fills the five place fields; 0 for an amount of 0, fields untouched.
  int SplitDigits(int amount);

  int m_ones;
  int m_tens;
  int m_hundreds;
  int m_thousands;
  // All places from the ten-thousands upward together, not a single digit.
  int m_tenThousands;
  // Pieces of 1, 5, 10, 50, 100, 500, 1,000, 2,000, 5,000 and 10,000 yen.
  int m_counts[kDenominations];
};
