// The Input and Total commands, end to end through the main window: what the
// user sees in the entry box, the list and the error boxes.
#include "app/MainWindowFixture.h"
#include "app/Texts.h"
#include "controls/ButtonBar.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Texts = std::vector<std::string>;

// No box is expected here: one would fail the test with its text.
TEST(InputCommand, TheRoadOfOneAmount) {
  MainWindowFixture w;
  w.Type("12345");
  EXPECT_EQ(0, w.Command(IDC_INPUT));
  ASSERT_EQ(1, w.Rows());
  // Label, amount, then 10,000 yen down to 1 yen.
  EXPECT_EQ(
      Texts({"1", "12345", "1", "0", "1", "0", "0", "3", "0", "4", "1", "0"}),
      w.Row(0));
  EXPECT_EQ("", w.EntryText());
  EXPECT_EQ(10, SendMessageA(g_hAmountEdit, EM_GETLIMITTEXT, 0, 0));
}

TEST(InputCommand, ByARealClickOnTheButton) {
  MainWindowFixture w;
  ShowWindow(w.hwnd, SW_SHOW);
  w.Type("5");
  w.Click(IDC_INPUT);
  ASSERT_EQ(1, w.Rows());
  EXPECT_EQ(Texts({"1", "5", "0", "0", "0", "0", "0", "0", "0", "0", "1", "0"}),
            w.Row(0));
  EXPECT_EQ("", w.EntryText());
  w.Click(IDC_TOTAL);
  ASSERT_EQ(2, w.Rows());
  EXPECT_EQ("SUM", w.Row(1)[0]);
}

TEST(InputCommand, TenTypedDigitsAreAllRead) {
  MainWindowFixture w;
  w.Type("1234567890");
  w.Command(IDC_INPUT);
  ASSERT_EQ(1, w.Rows());
  EXPECT_EQ("1234567890", w.Row(0)[1]);
  EXPECT_EQ("123456", w.Row(0)[2]) << "10,000-yen notes";
  EXPECT_EQ("4", w.Row(0)[9]) << "10-yen coins";
}

TEST(InputCommand, APastedNegativeAmountIsAccepted) {
  MainWindowFixture w;
  w.Paste("-7");
  w.Command(IDC_INPUT);
  ASSERT_EQ(1, w.Rows());
  EXPECT_EQ(
      Texts({"1", "-7", "0", "0", "0", "0", "0", "0", "0", "0", "-1", "-2"}),
      w.Row(0));
}

struct Failure {
  const char* text;
  const char* textAfter;
};

TEST(InputCommand, EveryFailureShowsTheInputErrorAndAppendsNothing) {
  const Failure failures[] = {
      {"", "0"},                    // nothing typed
      {"abc", "0"},                 // pasted letters
      {"-", "0"},                   // a sign alone
      {"   ", "0"},                 // blanks only
      {"0", "0"},                   // the amount 0
      {"000", "000"},               // the amount 0, as typed
      {"9999999999", "9999999999"}, // beyond 32 bits, kept to be seen
      {"\x82\x54\x82\x54", "0"},    // full-width digits are not digits
  };
  for (const Failure& f : failures) {
    win32test::MessageBoxCatcher catcher;
    MainWindowFixture w;
    w.Paste(f.text);
    EXPECT_EQ(0, w.Command(IDC_INPUT)) << '"' << f.text << '"';
    EXPECT_EQ(0, w.Rows()) << '"' << f.text << '"';
    EXPECT_EQ(f.textAfter, w.EntryText()) << '"' << f.text << '"';
    ASSERT_EQ(1u, catcher.boxes.size()) << '"' << f.text << '"';
    const win32test::MessageBoxCatcher::Box& box = catcher.boxes[0];
    EXPECT_EQ("Error", box.text);
    EXPECT_EQ("Calcuration", box.caption);
    EXPECT_EQ(w.hwnd, box.owner);
    EXPECT_TRUE(box.errorIcon);
    EXPECT_TRUE(box.okOnly);
  }
}

TEST(InputCommand, AnEmptyBoxFailsTwiceOverItsZero) {
  win32test::MessageBoxCatcher catcher;
  MainWindowFixture w;
  w.Command(IDC_INPUT);
  EXPECT_EQ("0", w.EntryText());
  w.Command(IDC_INPUT);
  EXPECT_EQ("0", w.EntryText());
  EXPECT_EQ(2u, catcher.boxes.size());
  EXPECT_EQ(0, w.Rows());
}

TEST(InputCommand, HandlerResults) {
  MainWindowFixture w;
  ButtonBar bar;
  w.Paste("12345");
  EXPECT_EQ(1, bar.OnInputCommand(g_hAmountEdit, g_hResultList));
  w.Paste("000");
  EXPECT_EQ(0, bar.OnInputCommand(g_hAmountEdit, g_hResultList));
  w.Paste("");
  EXPECT_EQ(0, bar.OnInputCommand(g_hAmountEdit, g_hResultList));
  EXPECT_EQ(1, bar.OnTotalCommand(g_hResultList));
  EXPECT_EQ(2, w.Rows());
}

TEST(TotalCommand, AnEmptyListTotalsToZeroWithoutError) {
  MainWindowFixture w;
  w.Command(IDC_TOTAL);
  ASSERT_EQ(1, w.Rows());
  EXPECT_EQ(
      Texts({"SUM", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0"}),
      w.Row(0));
}

TEST(TotalCommand, SumsAndSumsOfSums) {
  MainWindowFixture w;
  w.Paste("1000");
  w.Command(IDC_INPUT);
  w.Paste("2000");
  w.Command(IDC_INPUT);
  w.Command(IDC_TOTAL);
  ASSERT_EQ(3, w.Rows());
  EXPECT_EQ(
      Texts({"SUM", "3000", "0", "0", "1", "1", "0", "0", "0", "0", "0", "0"}),
      w.Row(2));
  w.Command(IDC_TOTAL);
  ASSERT_EQ(4, w.Rows());
  EXPECT_EQ("6000", w.Row(3)[1]);
  w.Paste("5");
  w.Command(IDC_INPUT);
  EXPECT_EQ("5", w.Row(4)[0]) << "labels count the SUM rows too";
  EXPECT_EQ("", w.EntryText()) << "Total leaves the entry box alone";
}

TEST(TotalCommand, LabelsRunOnAcrossSumRows) {
  MainWindowFixture w;
  for (const char* amount : {"1", "2"}) {
    w.Paste(amount);
    w.Command(IDC_INPUT);
  }
  w.Command(IDC_TOTAL);
  w.Paste("3");
  w.Command(IDC_INPUT);
  ASSERT_EQ(4, w.Rows());
  EXPECT_EQ("1", w.Row(0)[0]);
  EXPECT_EQ("2", w.Row(1)[0]);
  EXPECT_EQ("SUM", w.Row(2)[0]);
  EXPECT_EQ("4", w.Row(3)[0]);
}

TEST(TotalCommand, ASumBeyondSixtyFourBitsShowsTheTotalError) {
  KINSHU_REQUIRE_CP932();
  win32test::MessageBoxCatcher catcher;
  MainWindowFixture w;
  w.Paste("2147483647");
  w.Command(IDC_INPUT);
  // Every Total adds the SUM rows above it too, so the sums double each time:
  // from 2^31 they pass 2^63 within 33 Totals.
  int rows = w.Rows();
  for (int i = 0; i < 40 && catcher.boxes.empty(); ++i) {
    w.Command(IDC_TOTAL);
    if (catcher.boxes.empty()) {
      ASSERT_EQ(++rows, w.Rows()) << "Total " << i;
    }
  }
  ASSERT_EQ(1u, catcher.boxes.size());
  EXPECT_EQ(rows, w.Rows()) << "the failed Total appends nothing";
  const win32test::MessageBoxCatcher::Box& box = catcher.boxes[0];
  EXPECT_EQ(win32test::Hex(texts::kTotalError), win32test::Hex(box.text));
  EXPECT_EQ("Calculation", box.caption);
  EXPECT_EQ(w.hwnd, box.owner);
  EXPECT_TRUE(box.errorIcon);
  EXPECT_TRUE(box.okOnly);
  // The last SUM row holds the largest sum that still fits.
  const std::string last = w.Row(rows - 1)[1];
  EXPECT_EQ(19u, last.size()) << last;
  w.Paste("5");
  w.Command(IDC_INPUT);
  EXPECT_EQ(rows + 1, w.Rows()) << "Inputs go on working";
}

} // namespace
