// Runs the breakdown on every 32-bit amount and checks each result against
// the invariants that hold for all of them. Each positive amount is checked
// together with its negation; 0 and INT_MIN are checked on their own.
#include "calc/BreakdownInvariants.h"
#include "calc/DenominationCalculator.h"

#include <atomic>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

namespace {

std::atomic<long long> g_failures(0);

void Report(int amount, const char* what) {
  if (g_failures.fetch_add(1) < 20)
    std::printf("FAIL amount %d: %s\n", amount, what);
}

// Checks one successful breakdown; returns false after reporting a fault.
bool CheckOne(int amount, const DenominationCalculator& c) {
  const char* fault = invariants::CheckBreakdown(amount, c);
  if (fault != 0)
    Report(amount, fault);
  return fault == 0;
}

// Checks amounts first..last and their negations. Every invariant holds for
// a breakdown exactly when it holds, with the amount and every field
// negated, for the negated breakdown: so the breakdown of -a is checked in
// full by comparing it, field by field, with the negation of the checked
// breakdown of a.
void CheckRange(int first, int last, std::atomic<long long>* checked) {
  long long done = 0;
  DenominationCalculator pos, neg;
  for (int a = first;; ++a) {
    if (pos.Run(a) != 1 || neg.Run(-a) != 1)
      Report(a, "Run refused a nonzero amount");
    else if (CheckOne(a, pos) && !invariants::IsNegationOf(pos, neg))
      Report(a, "breakdown of -a is not the negated breakdown of a");
    done += 2;
    if (a == last)
      break;
  }
  checked->fetch_add(done);
}

} // namespace

int main() {
  const auto start = std::chrono::steady_clock::now();
  std::atomic<long long> checked(0);

  DenominationCalculator zero;
  if (zero.Run(0) != 0 || zero.m_counts[9] != 0)
    Report(0, "amount 0 was accepted");
  DenominationCalculator lowest;
  if (lowest.Run(INT_MIN) != 1 || !CheckOne(INT_MIN, lowest))
    Report(INT_MIN, "lowest amount failed");
  checked += 2;

  unsigned workers = std::thread::hardware_concurrency();
  if (workers == 0)
    workers = 2;
  std::vector<std::thread> threads;
  const long long span = INT_MAX / workers;
  for (unsigned w = 0; w < workers; ++w) {
    const int first = static_cast<int>(1 + w * span);
    const int last =
        w + 1 == workers ? INT_MAX : static_cast<int>((w + 1) * span);
    threads.emplace_back(CheckRange, first, last, &checked);
  }
  for (std::thread& t : threads)
    t.join();

  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start)
          .count();
  std::printf("exhaustive: checked %lld amounts on %u threads in %.1f s, "
              "%lld failures\n",
              checked.load(), workers, seconds, g_failures.load());
  const bool complete = checked.load() == 4294967296LL;
  if (!complete)
    std::printf("FAIL: expected to check 4294967296 amounts\n");
  return g_failures.load() == 0 && complete ? EXIT_SUCCESS : EXIT_FAILURE;
}
