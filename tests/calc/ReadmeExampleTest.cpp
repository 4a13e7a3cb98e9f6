// The user's read-me shows worked examples in Japanese ("例: 12345 → 一万円
// 1、...") and in English ("Example: 12345 -> one 10,000, ..."); each must be
// what the program gives for its amount.
#include "calc/DenominationCalculator.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace {

// The pieces of amount from the largest down, as the read-me words them.
std::string Pieces(int amount, bool japanese) {
  static const char* const kJapanese[10] = {
      "一円",   "五円", "十円",   "五十円", "百円",
      "五百円", "千円", "二千円", "五千円", "一万円"};
  static const char* const kEnglish[10] = {
      "1", "5", "10", "50", "100", "500", "1,000", "2,000", "5,000", "10,000"};
  static const char* const kWords[10] = {"",      "one",  "two", "three",
                                         "four",  "five", "six", "seven",
                                         "eight", "nine"};
  DenominationCalculator c;
  EXPECT_EQ(1, c.Run(amount));
  std::string text;
  for (int i = 9; i >= 0; --i) {
    const int n = c.m_counts[i];
    if (n == 0)
      continue;
    if (!text.empty())
      text += japanese ? "、" : ", ";
    const std::string count = std::to_string(n);
    text += japanese ? kJapanese[i] + (" " + count)
                     : (n < 10 ? kWords[n] : count) + " " + kEnglish[i];
  }
  return japanese ? text : text + ".";
}

TEST(ReadMe, WorkedExamplesAreWhatTheProgramGives) {
  std::ifstream in(KINSHU_README_TEMPLATE);
  ASSERT_TRUE(in.good()) << KINSHU_README_TEMPLATE;
  int examples[2] = {0, 0}; // English, Japanese
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r')
      line.pop_back(); // a checkout with Windows line ends
    const bool ja = line.find("例: ") != std::string::npos;
    const std::string arrow = ja ? " → " : " -> ";
    const size_t at = line.find(arrow);
    if (!(ja || line.find("Example: ") != std::string::npos) ||
        at == std::string::npos)
      continue;
    const size_t digits = line.find_last_not_of("0123456789", at - 1) + 1;
    const int amount = std::stoi(line.substr(digits, at - digits));
    EXPECT_EQ(Pieces(amount, ja), line.substr(at + arrow.size())) << line;
    ++examples[ja];
  }
  EXPECT_GT(examples[1], 0) << "no worked example found";
  EXPECT_EQ(examples[1], examples[0]) << "each example in both languages";
}

} // namespace
