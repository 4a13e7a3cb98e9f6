// Measurements of a program and of its floor taken in turn, in pairs, so that
// the machine's drift from one moment to the next falls on both alike; they
// are compared by the median of the pairs' own ratios, which a single slow or
// fast moment does not move.
#ifndef KINSHU_BENCH_PAIRS_H
#define KINSHU_BENCH_PAIRS_H

#include <algorithm>
#include <cstddef>
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

// p[i] and f[i] measured one after the other; -1 throughout when none was.
inline Pairs Summarise(const std::vector<double>& p,
                       const std::vector<double>& f) {
  if (p.empty())
    return Pairs{-1, -1, -1};
  std::vector<double> ratios;
  for (size_t i = 0; i < p.size(); ++i)
    ratios.push_back(p[i] / f[i]);
  return Pairs{Median(p), Median(f), Median(ratios)};
}

#endif
