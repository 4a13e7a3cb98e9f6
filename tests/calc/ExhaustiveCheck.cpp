// Proves the breakdown of every 32-bit amount: each one is compared, field by
// field, with its right breakdown, worked out another way and checked against
// the invariants that every breakdown keeps (BreakdownCheck.h). Any field
// that differs fails the run, naming the amount and the field. Under Wine it
// runs the calculator exactly as kinshu.exe has it.
#include "calc/BreakdownCheck.h"
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

// Checks one successful breakdown of amount against the right one; returns
// false after reporting the first field that differs.
bool CheckOne(int amount, const DenominationCalculator& c,
              const check::Fields& right) {
  const check::Fields got = check::FieldsOf(c);
  const int i = check::FirstDifference(got, right);
  if (i >= 0) {
    char what[160];
    std::snprintf(what, sizeof what, "%s is %d, the right breakdown has %d",
                  check::FieldName(i), got.f[i], right.f[i]);
    Report(amount, what);
  }
  return i < 0;
}

// The right breakdowns of the remainders 0 to 9,999, each checked against
// the invariants. Every amount a = hi * 10,000 + lo (lo below 10,000) has
// lo's right breakdown with hi in its ten-thousands and its 10,000-yen
// count: paying a largest first takes hi 10,000-yen pieces and leaves lo,
// and a's places below the ten-thousands are lo's.
std::vector<check::Fields> g_remainders;

void WorkOutRemainders() {
  g_remainders.resize(10000);
  for (int lo = 0; lo < 10000; ++lo) {
    check::Fields& r = g_remainders[lo];
    if (lo == 0) {
      r = check::Fields{}; // 0 has no breakdown of its own: no pieces at all
      continue;
    }
    r = check::Reference(lo);
    if (const char* broken = check::BrokenInvariant(lo, r))
      Report(lo, broken);
  }
}

// Checks the amounts hi * 10,000 + lo for hi from first to last (all lo,
// up to INT_MAX) and their negations.
void CheckRange(int first, int last, std::atomic<long long>* checked) {
  long long done = 0;
  DenominationCalculator pos, neg;
  for (int hi = first; hi <= last; ++hi) {
    const int top = hi == INT_MAX / 10000 ? INT_MAX % 10000 : 9999;
    for (int lo = hi == 0 ? 1 : 0; lo <= top; ++lo) {
      const int a = hi * 10000 + lo;
      if (pos.Run(a) != 1 || neg.Run(-a) != 1) {
        Report(a, "Run refused a nonzero amount");
      } else {
        // The usual case in a few instructions: each field of pos must equal
        // the right one, and each field of neg its negation.
        const check::Fields got = check::FieldsOf(pos);
        const check::Fields gotNegated = check::FieldsOf(neg);
        const check::Fields& below = g_remainders[lo];
        unsigned differs = 0;
        for (int i = 0; i < check::kFields; ++i) {
          const int want = i == 4 || i == 14 ? hi : below.f[i];
          differs |= static_cast<unsigned>(got.f[i] ^ want) |
                     static_cast<unsigned>(gotNegated.f[i] + want);
        }
        if (differs != 0) { // find the field and report it
          check::Fields right = below;
          right.f[4] = right.f[14] = hi;
          check::Fields negated;
          for (int i = 0; i < check::kFields; ++i)
            negated.f[i] = -right.f[i];
          if (CheckOne(a, pos, right))
            CheckOne(-a, neg, negated);
        }
      }
      done += 2;
    }
  }
  checked->fetch_add(done);
}

} // namespace

int main() {
  const auto start = std::chrono::steady_clock::now();
  std::atomic<long long> checked(0);

  DenominationCalculator zero;
  if (zero.Run(0) != 0 ||
      check::FirstDifference(check::FieldsOf(zero), check::Fields{}) >= 0)
    Report(0, "amount 0 was accepted or changed a field");
  DenominationCalculator lowest;
  const check::Fields right = check::Reference(INT_MIN);
  if (lowest.Run(INT_MIN) != 1)
    Report(INT_MIN, "Run refused the lowest amount");
  else if (CheckOne(INT_MIN, lowest, right))
    if (const char* broken = check::BrokenInvariant(INT_MIN, right))
      Report(INT_MIN, broken);
  checked += 2;

  WorkOutRemainders();
  unsigned workers = std::thread::hardware_concurrency();
  if (workers == 0)
    workers = 2;
  std::vector<std::thread> threads;
  const int tops = INT_MAX / 10000 + 1; // hi from 0 to 214,748
  for (unsigned w = 0; w < workers; ++w)
    threads.emplace_back(CheckRange, static_cast<int>(w * tops / workers),
                         static_cast<int>((w + 1) * tops / workers) - 1,
                         &checked);
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
