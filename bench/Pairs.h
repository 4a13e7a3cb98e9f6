// Measurements of a program and of its floor taken in turn, in pairs, so that
// the machine's drift from one moment to the next falls on both alike, and
// with the order alternating from one pair to the next, so that whatever the
// first of two measurements pays (a cold cache, a page fault) falls on both
// alike too; they are compared by the median of the pairs' own ratios, which
// a single slow or fast moment does not move.
#ifndef KINSHU_BENCH_PAIRS_H
#define KINSHU_BENCH_PAIRS_H

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

struct Pairs {
  double program, floor; // medians
  double ratio;          // median of the ratios of each pair
};

inline double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const size_t n = v.size();
  return n % 2 == 1 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// Pair `i`: the program's and the floor's measurement, taken one after the
// other, the program first in every other pair.
template <class Program, class Floor>
std::pair<double, double> InTurn(int i, Program program, Floor floor) {
  if (i % 2 == 0) {
    const double first = program();
    return {first, floor()};
  }
  const double first = floor();
  return {program(), first};
}

// p[i] and f[i] measured one after the other; -1 throughout when none was.
// Lists of different lengths are no pairs: a fault of the benchmark.
inline Pairs Summarise(const std::vector<double>& p,
                       const std::vector<double>& f) {
  if (p.size() != f.size()) {
    std::fprintf(stderr, "Summarise: %zu program and %zu floor measurements\n",
                 p.size(), f.size());
    std::abort();
  }
  if (p.empty())
    return Pairs{-1, -1, -1};
  std::vector<double> ratios;
  for (size_t i = 0; i < p.size(); ++i)
    ratios.push_back(p[i] / f[i]);
  return Pairs{Median(p), Median(f), Median(ratios)};
}

// A row's verdict on a ratio of the program to its floor: NOT met only when
// the program is slower beyond the goal; a row that measured nothing says so.
inline const char* Verdict(double ratio, double goal) {
  return ratio < 0 ? "not measured" : ratio <= goal ? "met" : "NOT met";
}

#endif
