// Proves the breakdown of every 32-bit amount: each one is compared, field by
// field, with its right breakdown, worked out another way and held to the
// invariants of every breakdown (BreakdownCheck.h). A field that differs
// fails the run, naming the amount and the field. Under Wine it runs the
// calculator exactly as kinshu.exe has it.
#include "calc/BreakdownCheck.h"

#include <atomic>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

namespace {

std::atomic<long long> g_failures(0);

// Counts a failure; only the first ones are printed, so that a calculator
// wrong for millions of amounts still ends the run in its usual time.
bool CountFailure() { return g_failures.fetch_add(1) < 20; }

void Report(int amount, const char* what) {
  if (CountFailure())
    std::printf("FAIL amount %d: %s\n", amount, what);
}

// Reports the first field in which c differs from the right breakdown;
// whether one does.
bool ReportDifference(int amount, const DenominationCalculator& c,
                      const check::Fields& right) {
  const check::Fields got = check::FieldsOf(c);
  const int i = check::FirstDifference(got, right);
  if (i >= 0 && CountFailure())
    std::printf("FAIL amount %d: %s is %d, the right breakdown has %d\n",
                amount, check::FieldName(i).c_str(), got.f[i], right.f[i]);
  return i >= 0;
}

// The right breakdowns of the remainders 0 to 9,999, each held to the
// invariants. An amount a = hi * 10,000 + lo (lo below 10,000) has lo's right
// breakdown with hi in its ten-thousands and its 10,000-yen count: paying a
// largest first takes hi 10,000-yen pieces and leaves lo, and a's places
// below the ten-thousands are lo's.
std::vector<check::Fields> g_below(10000);

// Whether got is the right breakdown of hi * 10,000 + lo and negated its
// negation: the usual case, in a few instructions.
bool Matches(const check::Fields& got, const check::Fields& negated, int hi,
             int lo) {
  unsigned differs = 0;
  for (int i = 0; i < check::kFields; ++i) {
    const int want = i == 4 || i == 14 ? hi : g_below[lo].f[i];
    differs |= static_cast<unsigned>(got.f[i] ^ want) |
               static_cast<unsigned>(negated.f[i] + want);
  }
  return differs == 0;
}

// The check must be able to fail: it must take the right breakdown of 12,345
// and its negation, refuse them with any one field changed, and its
// invariants must refuse any one count changed.
bool CheckCanFail() {
  const check::Fields right = check::Reference(12345);
  const check::Fields negated = check::Reference(-12345);
  bool ok = Matches(right, negated, 1, 2345);
  for (int i = 0; i < check::kFields; ++i) {
    check::Fields wrong = right, wrongNegated = negated;
    ++wrong.f[i];
    ++wrongNegated.f[i];
    ok &= !Matches(wrong, negated, 1, 2345) &&
          !Matches(right, wrongNegated, 1, 2345) &&
          (i < 5 || check::BrokenInvariant(12345, wrong) != 0);
  }
  return ok;
}

// Checks the amounts hi * 10,000 + lo for hi from first to last (every lo,
// up to INT_MAX), and their negations.
void CheckRange(int first, int last, std::atomic<long long>* checked) {
  long long done = 0;
  DenominationCalculator pos, neg;
  for (int hi = first; hi <= last; ++hi) {
    const int top = hi == INT_MAX / 10000 ? INT_MAX % 10000 : 9999;
    for (int lo = hi == 0 ? 1 : 0; lo <= top; ++lo, done += 2) {
      const int a = hi * 10000 + lo;
      if (pos.Run(a) != 1 || neg.Run(-a) != 1) {
        Report(a, "Run refused a nonzero amount");
        continue;
      }
      // Where both breakdowns equal the reference, the table of remainders
      // is what disagrees: the amount is not proven either way.
      if (!Matches(check::FieldsOf(pos), check::FieldsOf(neg), hi, lo) &&
          !ReportDifference(a, pos, check::Reference(a)) &&
          !ReportDifference(-a, neg, check::Reference(-a)))
        Report(a, "the table of remainders and the reference disagree");
    }
  }
  checked->fetch_add(done);
}

} // namespace

int main() {
  const auto start = std::chrono::steady_clock::now();
  std::atomic<long long> checked(2); // 0 and INT_MIN, just below
  for (int lo = 1; lo < 10000; ++lo) {
    g_below[lo] = check::Reference(lo);
    if (const char* broken = check::BrokenInvariant(lo, g_below[lo]))
      Report(lo, broken);
  }
  DenominationCalculator zero, lowest;
  if (zero.Run(0) != 0 ||
      check::FirstDifference(check::FieldsOf(zero), check::Fields{}) >= 0)
    Report(0, "amount 0 was accepted or changed a field");
  if (lowest.Run(INT_MIN) != 1)
    Report(INT_MIN, "Run refused the lowest amount");
  const check::Fields lowestRight = check::Reference(INT_MIN);
  ReportDifference(INT_MIN, lowest, lowestRight);
  if (const char* broken = check::BrokenInvariant(INT_MIN, lowestRight))
    Report(INT_MIN, broken);
  if (!CheckCanFail())
    Report(12345, "the check itself takes a wrong breakdown for a right one");

  unsigned workers = std::thread::hardware_concurrency();
  workers = workers == 0 ? 2 : workers;
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
