// kinshu.exe as its users meet it: started as a process of its own and
// driven from outside, through its window and its controls only.
#include "acceptance/Driver.h"
#include "app/Globals.h"
#include "app/Texts.h"
#include "support/Win32Test.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

using driver::Kinshu;
using Texts = std::vector<std::string>;

namespace {

void ExpectInputError(Kinshu& k, const std::string& what) {
  const std::vector<driver::Box> boxes = k.TakeBoxes();
  ASSERT_EQ(1u, boxes.size()) << what;
  EXPECT_EQ("Error", boxes[0].text) << what;
  EXPECT_EQ("Calcuration", boxes[0].caption) << what;
  EXPECT_TRUE(boxes[0].ownedByMain) << what;
}

// Under Wine the suite runs again under a locale of another language
// (KINSHU_EXPECT_SYSTEM_LCID names it), where the system's code page is 1252:
// kinshu.exe's manifest alone can give it 932, and only then does its CP932
// title reach the system as Japanese.
TEST(Acceptance, KinshuRunsUnderCodePage932WhateverTheLocale) {
  KINSHU_REQUIRE_CP932();
  const std::string lcid = win32test::Environment("KINSHU_EXPECT_SYSTEM_LCID");
  if (!lcid.empty()) {
    EXPECT_EQ(std::strtoul(lcid.c_str(), NULL, 16), GetSystemDefaultLCID())
        << "the run did not get the locale it was given";
  }
  Kinshu k;
  ASSERT_TRUE(k.ok());
  EXPECT_EQ(L"金種計算", k.UnicodeTitle());
  k.Click(IDC_CLOSE);
  EXPECT_EQ(0, k.WaitForExit());
}

TEST(Acceptance, ASessionOfAmountsAndTotals) {
  KINSHU_REQUIRE_CP932();
  Kinshu k;
  ASSERT_TRUE(k.ok()) << "the main window did not appear";
  EXPECT_EQ(texts::kTitle, k.Title());

  k.Type("12345");
  k.Click(IDC_INPUT);
  k.Type("5");
  k.Click(IDC_INPUT);
  k.Click(IDC_TOTAL);
  k.Type("1000");
  k.Click(IDC_INPUT);
  k.Click(IDC_TOTAL);
  EXPECT_EQ("", driver::Describe(k.TakeBoxes()));

  ASSERT_EQ(5, k.Rows());
  EXPECT_EQ(
      Texts({"1", "12345", "1", "0", "1", "0", "0", "3", "0", "4", "1", "0"}),
      k.Row(0));
  EXPECT_EQ(Texts({"2", "5", "0", "0", "0", "0", "0", "0", "0", "0", "1", "0"}),
            k.Row(1));
  EXPECT_EQ(
      Texts({"SUM", "12350", "1", "0", "1", "0", "0", "3", "0", "4", "2", "0"}),
      k.Row(2));
  EXPECT_EQ("4", k.Cell(3, 0));
  // The second Total adds the first SUM row again.
  EXPECT_EQ(
      Texts({"SUM", "25700", "2", "0", "2", "1", "0", "6", "0", "8", "4", "0"}),
      k.Row(4));
  EXPECT_EQ("", k.EntryText());

  k.Click(IDC_CLOSE);
  EXPECT_EQ(0, k.WaitForExit());
}

TEST(Acceptance, BadInputShowsTheErrorAndLeavesTheListAlone) {
  Kinshu k;
  ASSERT_TRUE(k.ok());
  k.Click(IDC_INPUT); // nothing typed
  ExpectInputError(k, "empty box");
  EXPECT_EQ("0", k.EntryText());
  k.Click(IDC_INPUT); // the "0" it left
  ExpectInputError(k, "zero");
  EXPECT_EQ("0", k.EntryText());

  k.Paste("");
  k.Type("abc-+."); // the box takes digits only
  EXPECT_EQ("", k.EntryText());
  k.Paste("abc");
  k.Click(IDC_INPUT);
  ExpectInputError(k, "pasted letters");
  EXPECT_EQ("0", k.EntryText());
  k.Paste("000");
  k.Click(IDC_INPUT);
  ExpectInputError(k, "000");
  EXPECT_EQ("000", k.EntryText());
  EXPECT_EQ(0, k.Rows());

  // The box still works. A set text leaves the caret at its start, so the
  // typed digit goes in front: "7000".
  k.Type("7");
  k.Click(IDC_INPUT);
  EXPECT_EQ("", driver::Describe(k.TakeBoxes()));
  ASSERT_EQ(1, k.Rows());
  EXPECT_EQ("7000", k.Cell(0, 1));
  k.Click(IDC_CLOSE);
  EXPECT_EQ(0, k.WaitForExit());
}

TEST(Acceptance, TheLargestAmounts) {
  KINSHU_REQUIRE_CP932();
  Kinshu k;
  ASSERT_TRUE(k.ok());
  k.Type("9999999999"); // ten digits: beyond 32 bits, refused and kept
  k.Click(IDC_INPUT);
  ExpectInputError(k, "9999999999");
  EXPECT_EQ("9999999999", k.EntryText());

  k.Paste("2147483647");
  k.Click(IDC_INPUT);
  k.Paste("2147483647");
  k.Click(IDC_INPUT);
  k.Paste("-999999999");
  k.Click(IDC_INPUT);
  EXPECT_EQ("", driver::Describe(k.TakeBoxes()));
  ASSERT_EQ(3, k.Rows());
  EXPECT_EQ(Texts({"1", "2147483647", "214748", "0", "1", "1", "1", "1", "0",
                   "4", "1", "2"}),
            k.Row(0));
  EXPECT_EQ(Texts({"3", "-999999999", "-99999", "-1", "-2", "0", "-1", "-4",
                   "-1", "-4", "-1", "-4"}),
            k.Row(2));
  k.Click(IDC_TOTAL);
  EXPECT_EQ("3294967295", k.Cell(3, 1)) << "a sum past 32 bits, exact";
  k.Click(IDC_TOTAL);
  EXPECT_EQ("6589934590", k.Cell(4, 1));

  // Totals double from here on until the sums would pass 64 bits; then the
  // Total error appears and no row is added.
  const std::vector<driver::Box> boxes = k.ClickUntilBox(IDC_TOTAL, 40);
  ASSERT_EQ(1u, boxes.size());
  EXPECT_EQ(texts::kTotalError, boxes[0].text);
  EXPECT_EQ("Calculation", boxes[0].caption);
  const int rows = k.Rows();
  k.Paste("1");
  k.Click(IDC_INPUT);
  EXPECT_EQ(rows + 1, k.Rows()) << "Input goes on working";
  k.Click(IDC_CLOSE);
  EXPECT_EQ(0, k.WaitForExit());
}

TEST(Acceptance, ArgumentsOnTheCommandLineAreIgnored) {
  KINSHU_REQUIRE_CP932();
  Kinshu k("--total 999 /x \"quoted words\"");
  ASSERT_TRUE(k.ok());
  EXPECT_EQ(texts::kTitle, k.Title());
  EXPECT_EQ(0, k.Rows());
  EXPECT_EQ("", k.EntryText());
  k.Type("88888");
  k.Click(IDC_INPUT);
  EXPECT_EQ(
      Texts({"1", "88888", "8", "1", "1", "1", "1", "3", "1", "3", "1", "3"}),
      k.Row(0));
  k.Click(IDC_CLOSE);
  EXPECT_EQ(0, k.WaitForExit());
}

TEST(Acceptance, TheCloseBoxEndsTheProgramWithZero) {
  Kinshu k;
  ASSERT_TRUE(k.ok());
  k.Type("5");
  k.Click(IDC_INPUT);
  PostMessageA(k.main(), WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_EQ(0, k.WaitForExit());
}

TEST(Acceptance, WmCloseEndsTheProgramWithZero) {
  Kinshu k;
  ASSERT_TRUE(k.ok());
  PostMessageA(k.main(), WM_CLOSE, 0, 0);
  EXPECT_EQ(0, k.WaitForExit());
}

} // namespace
