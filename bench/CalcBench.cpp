// DenominationCalculator::Run per call, beside the bare lower bound: a loop
// over the same amounts that does only the arithmetic a breakdown cannot
// avoid, the two measured in turn, 9 pairs for each spread of amounts.
// Prints markdown rows: what, ns per call, floor, median ratio, goal.
#include "Pairs.h"
#include "calc/DenominationCalculator.h"

#include <benchmark/benchmark.h>

#include <climits>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

const size_t kAmounts = 4096;

std::vector<int> Amounts(const std::string& spread) {
  std::mt19937 random(12345);
  std::vector<int> a(kAmounts);
  for (int& v : a) {
    if (spread == "small")
      v = std::uniform_int_distribution<int>(1, 999)(random);
    else if (spread == "typical")
      v = std::uniform_int_distribution<int>(1000, 999999)(random);
    else if (spread == "whole range")
      v = std::uniform_int_distribution<int>(INT_MIN, INT_MAX)(random);
    else
      v = std::uniform_int_distribution<int>(INT_MIN, -1)(random);
    if (v == 0)
      v = 1;
  }
  return a;
}

void BM_Run(benchmark::State& state, std::string spread) {
  const std::vector<int> amounts = Amounts(spread);
  DenominationCalculator c;
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(c.Run(amounts[i]));
    benchmark::DoNotOptimize(c.m_counts);
    i = (i + 1) % kAmounts;
  }
}

// The divisions into places and the counts from the places, into a plain
// array: what any breakdown of the amount has to compute.
void BM_Floor(benchmark::State& state, std::string spread) {
  const std::vector<int> amounts = Amounts(spread);
  int counts[10];
  size_t i = 0;
  for (auto _ : state) {
    const int a = amounts[i];
    const int q1 = a / 10, q2 = a / 100, q3 = a / 1000, q4 = a / 10000;
    const int ones = a - 10 * q1, tens = q1 - 10 * q2;
    const int hundreds = q2 - 10 * q3, thousands = q3 - 10 * q4;
    counts[0] = ones % 5;
    counts[1] = ones / 5;
    counts[2] = tens % 5;
    counts[3] = tens / 5;
    counts[4] = hundreds % 5;
    counts[5] = hundreds / 5;
    counts[6] = (thousands % 5) % 2;
    counts[7] = (thousands % 5) / 2;
    counts[8] = thousands / 5;
    counts[9] = q4;
    benchmark::DoNotOptimize(counts);
    i = (i + 1) % kAmounts;
  }
}

// Keeps the time per iteration of every run, by name.
class Collector : public benchmark::ConsoleReporter {
public:
  std::map<std::string, double> ns;
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& r : runs)
      ns[r.benchmark_name()] = r.GetAdjustedRealTime();
    ConsoleReporter::ReportRuns(runs);
  }
};

} // namespace

int main(int argc, char** argv) {
  const char* spreads[] = {"small", "typical", "whole range", "negative"};
  for (const char* s : spreads) {
    benchmark::RegisterBenchmark((std::string("Run/") + s).c_str(), BM_Run, s);
    benchmark::RegisterBenchmark((std::string("Floor/") + s).c_str(), BM_Floor,
                                 s);
  }
  benchmark::Initialize(&argc, argv);
  std::ofstream file("calc-rows.md");
  std::ostream& rows = file ? static_cast<std::ostream&>(file) : std::cout;
  for (const char* s : spreads) {
    std::vector<double> run, floor;
    // One benchmark's time per iteration, run on its own.
    const auto once = [s](const std::string& kind) {
      Collector collector;
      const std::string name = kind + s;
      benchmark::RunSpecifiedBenchmarks(&collector, "^" + name + "$");
      return collector.ns[name];
    };
    for (int pair = 0; pair < 9; ++pair) {
      const std::pair<double, double> m = InTurn(
          pair, [&] { return once("Run/"); }, [&] { return once("Floor/"); });
      run.push_back(m.first);
      floor.push_back(m.second);
    }
    const Pairs m = Summarise(run, floor);
    char row[160];
    std::snprintf(row, sizeof row,
                  "| Run, %s amounts, 9 pairs in turn | %.2f ns | %.2f ns | "
                  "%.2f | <= 1.5 | %s |\n",
                  s, m.program, m.floor, m.ratio, Verdict(m.ratio, 1.5));
    rows << row;
  }
  return 0;
}
