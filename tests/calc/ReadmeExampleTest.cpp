// The user's read-me shows worked examples, in Japanese ("例: 12345 → 一万円
// 1、...") and in English ("Example: 12345 -> one 10,000, ..."). Each must be
// what the program gives for its amount, so that the read-me cannot drift
// from the calculator.
#include "calc/DenominationCalculator.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace {

const char* const kJapanese[10] = {"一円",   "五円",   "十円", "五十円",
                                   "百円",   "五百円", "千円", "二千円",
                                   "五千円", "一万円"};
const char* const kEnglish[10] = {"1",   "5",     "10",    "50",    "100",
                                  "500", "1,000", "2,000", "5,000", "10,000"};
const char* const kWords[10] = {"",     "one", "two",   "three", "four",
                                "five", "six", "seven", "eight", "nine"};

// The pieces of amount from the largest down, as the read-me words them.
std::string Pieces(int amount, bool japanese) {
  DenominationCalculator c;
  EXPECT_EQ(1, c.Run(amount));
  std::string text;
  for (int i = 9; i >= 0; --i) {
    const int n = c.m_counts[i];
    if (n == 0)
      continue;
    if (!text.empty())
      text += japanese ? "、" : ", ";
    text += japanese
                ? std::string(kJapanese[i]) + " " + std::to_string(n)
                : (n < 10 ? kWords[n] : std::to_string(n)) + " " + kEnglish[i];
  }
  return japanese ? text : text + ".";
}

TEST(ReadMe, WorkedExamplesAreWhatTheProgramGives) {
  std::ifstream in(KINSHU_README_TEMPLATE);
  ASSERT_TRUE(in.good()) << KINSHU_README_TEMPLATE;
  int japanese = 0, english = 0;
  for (std::string line; std::getline(in, line);) {
    const bool ja = line.find("例: ") != std::string::npos;
    const bool en = line.find("Example: ") != std::string::npos;
    const std::string arrow = ja ? " → " : " -> ";
    const size_t at = line.find(arrow);
    if (!(ja || en) || at == std::string::npos)
      continue;
    const size_t digits = line.find_last_not_of("0123456789", at - 1) + 1;
    const int amount = std::stoi(line.substr(digits, at - digits));
    EXPECT_EQ(Pieces(amount, ja), line.substr(at + arrow.size())) << line;
    ++(ja ? japanese : english);
  }
  EXPECT_GT(japanese, 0) << "no Japanese example found";
  EXPECT_EQ(japanese, english) << "each example in both languages";
}

} // namespace
