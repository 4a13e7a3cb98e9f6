// Hostile input from outside the process: every case ends in a clear error
// box or a correct row, never a crash or a wrong row.
#include "acceptance/Driver.h"
#include "app/Globals.h"
#include "app/Texts.h"
#include "support/Win32Test.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using driver::Kinshu;

namespace {

struct Hostile {
  const char* what;
  std::string text;   // set as another program or a paste sets it
  const char* amount; // the row's amount, or NULL for the Input error
};

TEST(HostileInput, EachTextGivesAnErrorOrACorrectRow) {
  const Hostile cases[] = {
      {"pasted letters", "abc", NULL},
      {"full-width digits (CP932)", "\x82\x50\x82\x51\x82\x52", NULL},
      {"Japanese text", texts::kTitle, NULL},
      {"control characters", "\x01\x02\x1b", NULL},
      {"white space before digits", "\t\r\n 42", "42"},
      {"a lone minus sign", "-", NULL},
      {"a lone plus sign", "+", NULL},
      {"two signs", "+-5", NULL},
      {"white space only", "   \t", NULL},
      {"the largest amount", "2147483647", "2147483647"},
      {"one beyond the largest", "2147483648", NULL},
      {"the smallest amount", "-2147483648", "-2147483648"},
      {"one beyond the smallest", "-2147483649", NULL},
      {"digits far beyond the limit", std::string(5000, '9'), NULL},
      {"zeros far beyond the limit", std::string(5000, '0') + "42", "42"},
      {"a number with letters after it", "31000yen", "31000"},
      {"a number with a Japanese text after it",
       std::string("500") + texts::kTenYen, "500"},
  };
  Kinshu k;
  ASSERT_TRUE(k.ok());
  int rows = 0;
  for (const Hostile& h : cases) {
    k.Paste(h.text);
    k.Click(IDC_INPUT);
    const std::vector<driver::Box> boxes = k.TakeBoxes();
    if (h.amount == NULL) {
      ASSERT_EQ(1u, boxes.size()) << h.what;
      EXPECT_EQ("Error", boxes[0].text) << h.what;
      EXPECT_EQ(rows, k.Rows()) << h.what << ": no row";
    } else {
      EXPECT_EQ("", driver::Describe(boxes)) << h.what;
      ASSERT_EQ(++rows, k.Rows()) << h.what;
      EXPECT_EQ(h.amount, k.Cell(rows - 1, 1)) << h.what;
      EXPECT_EQ("", k.EntryText()) << h.what;
    }
  }
  EXPECT_EQ("-214748", k.Cell(2, 2)) << "10,000-yen notes of the smallest";
  k.Click(IDC_CLOSE);
  EXPECT_EQ(0, k.WaitForExit());
}

// Posts many commands without waiting, then waits for the list for at most
// 15 s, and its last answer 10 s more: inside the watchdog's 30 s, so that a
// slow list fails here with the rows it holds.
TEST(HostileInput, HundredsOfCommandsPostedAtOnce) {
  Kinshu k;
  ASSERT_TRUE(k.ok());
  const int kInputs = 300;
  for (int i = 1; i <= kInputs; ++i) {
    for (char c : std::to_string(i))
      PostMessageA(k.control(IDC_AMOUNT), WM_CHAR, c, 1);
    PostMessageA(k.main(), WM_COMMAND, IDC_INPUT, 0);
    if (i % 100 == 0)
      PostMessageA(k.main(), WM_COMMAND, IDC_TOTAL, 0);
  }
  const int expected = kInputs + kInputs / 100;
  // However busy the machine, the list must keep growing: the wait ends
  // when it has not grown for 10 s, each new count a step for the watchdog.
  DWORD grew = GetTickCount();
  for (int seen = 0;
       IsWindow(k.main()) && seen < expected && GetTickCount() - grew < 10000;
       Sleep(50)) {
    const int rows = k.Rows();
    if (rows != seen) {
      seen = rows;
      grew = GetTickCount();
      win32test::Step("the list to fill: " + std::to_string(rows) + " rows");
    }
  }
  ASSERT_EQ(expected, k.Rows());
  EXPECT_EQ("", driver::Describe(k.TakeBoxes()));
  // Rows 1..100, SUM, 101..200, SUM, 201..300, SUM: labels count every row.
  EXPECT_EQ("1", k.Cell(0, 1));
  EXPECT_EQ("SUM", k.Cell(100, 0));
  EXPECT_EQ("5050", k.Cell(100, 1));
  EXPECT_EQ("102", k.Cell(101, 0));
  EXPECT_EQ("101", k.Cell(101, 1));
  // The second Total adds the first SUM row again: 5050 * 2 + 15050 for
  // 101..200.
  EXPECT_EQ("25150", k.Cell(201, 1));
  // The third: 25150 * 2 + 25050 for 201..300.
  EXPECT_EQ("75350", k.Cell(302, 1));
  EXPECT_EQ("300", k.Cell(301, 1));
  k.Click(IDC_CLOSE);
  EXPECT_EQ(0, k.WaitForExit());
}

TEST(HostileInput, TotalOverAListThatHoldsTheLargestSums) {
  KINSHU_REQUIRE_CP932();
  Kinshu k;
  ASSERT_TRUE(k.ok());
  k.Paste("2147483647");
  k.Click(IDC_INPUT);
  std::vector<driver::Box> boxes = k.ClickUntilBox(IDC_TOTAL, 64);
  ASSERT_EQ(1u, boxes.size()) << "the sums never left the 64-bit range";
  const int rows = k.Rows();
  // Every further Total fails the same way and appends nothing.
  for (int i = 0; i < 3; ++i) {
    k.Click(IDC_TOTAL);
    boxes = k.TakeBoxes();
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ(texts::kTotalError, boxes[0].text);
    EXPECT_EQ("Calculation", boxes[0].caption);
    EXPECT_EQ(rows, k.Rows());
  }
  // The largest SUM row is the exact sum of the rows above it.
  long long above = 0;
  for (int r = 0; r < rows - 1; ++r)
    above += std::stoll(k.Cell(r, 1));
  EXPECT_EQ(std::to_string(above), k.Cell(rows - 1, 1));
  k.Click(IDC_CLOSE);
  EXPECT_EQ(0, k.WaitForExit());
}

} // namespace
