#include "controls/ResultList.h"
#include "app/Globals.h"
#include "app/Texts.h"
#include "support/Win32Test.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <climits>
#include <new>
#include <string>
#include <vector>

using win32test::ItemText;
using win32test::TestParent;

namespace {

// A row as the Input command writes it: an amount and its counts, from
// 1 yen up to 10,000 yen.
struct Row {
  long long amount;
  long long counts[10];
};
const Row k5 = {5, {0, 1}};
const Row k1000 = {1000, {0, 0, 0, 0, 0, 0, 1}};
const Row k2000 = {2000, {0, 0, 0, 0, 0, 0, 0, 1}};
const Row k12345 = {12345, {0, 1, 4, 0, 3, 0, 0, 1, 0, 1}};
const Row kMinus7 = {-7, {-2, -1}};

// A result list created through the wrapper on a parent of its own.
struct ListWindow {
  TestParent parent;
  HWND list;
  ListWindow(int width = 500, int height = 300) : parent(width, height) {
    ResultList creator;
    creator.Create(GetModuleHandleA(NULL), parent.hwnd());
    list = creator.m_hWnd;
  }
  // Appends a numbered row.
  void Append(const Row& r) {
    ResultList row;
    row.m_hWnd = list;
    row.m_amount = r.amount;
    for (int k = 0; k < 10; ++k)
      row.m_counts[k] = r.counts[k];
    ASSERT_EQ(1, row.WriteRow(1));
  }
  // Totals the list as the Total command does; 1 when a "SUM" row was added.
  int Total() {
    ResultList sums;
    sums.m_hWnd = list;
    if (sums.Total() == 0)
      return 0;
    return sums.WriteRow(0);
  }
  // Row texts from column 0 (label) to 11 (1 yen).
  std::vector<std::string> Row(int row) const {
    std::vector<std::string> texts;
    for (int s = 0; s <= 11; ++s)
      texts.push_back(ItemText(list, row, s));
    return texts;
  }
};

std::vector<std::string> Texts(std::initializer_list<const char*> l) {
  return std::vector<std::string>(l.begin(), l.end());
}

TEST(ResultList, CreatesAReportListBelowTheButtonRow) {
  win32test::CreationRecorder recorder;
  ListWindow w(500, 300);
  ASSERT_TRUE(IsWindow(w.list));
  EXPECT_EQ("SysListView32", win32test::ClassName(w.list));
  EXPECT_EQ(IDC_RESULTS, GetDlgCtrlID(w.list));
  // As created: the list view itself then shows or hides its scroll bars.
  const win32test::CreationRecorder::Creation* found =
      recorder.Find("SysListView32");
  ASSERT_TRUE(found != NULL);
  const win32test::CreationRecorder::Creation& c = *found;
  EXPECT_EQ(0x50310009u, c.style) << std::hex << c.style;
  EXPECT_EQ(0x204u, c.exStyle) << std::hex << c.exStyle;
  EXPECT_EQ(IDC_RESULTS, c.menu);
  EXPECT_EQ(w.parent.hwnd(), c.parent);
  const LONG style = GetWindowLongA(w.list, GWL_STYLE);
  EXPECT_EQ(LVS_REPORT, style & LVS_TYPEMASK);
  EXPECT_EQ(0, style & (LVS_SINGLESEL | LVS_SORTASCENDING | LVS_SORTDESCENDING |
                        LVS_EDITLABELS));
  EXPECT_EQ(LVS_EX_FULLROWSELECT,
            SendMessageA(w.list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) &
                LVS_EX_FULLROWSELECT);
  EXPECT_EQ(GetStockObject(DEFAULT_GUI_FONT),
            reinterpret_cast<HGDIOBJ>(SendMessageA(w.list, WM_GETFONT, 0, 0)));
  // The list ends at the bottom of the client area, scroll bar included.
  const win32test::Placement p = win32test::ChildPlacement(w.list);
  EXPECT_EQ(0, p.x);
  EXPECT_EQ(68, p.y);
  EXPECT_EQ(500, p.width);
  EXPECT_EQ(232, p.height);
}

TEST(ResultList, HasTwelveColumnsWithCp932Headers) {
  KINSHU_REQUIRE_CP932();
  ListWindow w;
  HWND header =
      reinterpret_cast<HWND>(SendMessageA(w.list, LVM_GETHEADER, 0, 0));
  EXPECT_EQ(12, SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
  const char* const headers[12] = {"",
                                   texts::kAmountHeader,
                                   texts::kTenThousandYen,
                                   texts::kFiveThousandYen,
                                   texts::kTwoThousandYen,
                                   texts::kThousandYen,
                                   texts::kFiveHundredYen,
                                   texts::kHundredYen,
                                   texts::kFiftyYen,
                                   texts::kTenYen,
                                   texts::kFiveYen,
                                   texts::kOneYen};
  for (int c = 0; c < 12; ++c) {
    char text[64] = "";
    LVCOLUMNA col = {};
    col.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
    col.pszText = text;
    col.cchTextMax = sizeof text;
    ASSERT_TRUE(
        SendMessageA(w.list, LVM_GETCOLUMNA, c, reinterpret_cast<LPARAM>(&col)))
        << "column " << c;
    EXPECT_EQ(win32test::Hex(headers[c]), win32test::Hex(text))
        << "column " << c;
    EXPECT_EQ(c == 0 ? 40 : 60, col.cx) << "column " << c;
    EXPECT_EQ(c == 0 ? LVCFMT_LEFT : LVCFMT_RIGHT, col.fmt & LVCFMT_JUSTIFYMASK)
        << "column " << c;
  }
}

TEST(ResultList, ResizeRefitsToTheClientArea) {
  ListWindow w(500, 300);
  w.parent.SetClientSize(640, 480);
  ResultList resizer;
  resizer.m_hWnd = w.list;
  resizer.Resize(w.parent.hwnd());
  win32test::Placement p = win32test::ChildPlacement(w.list);
  EXPECT_EQ(0, p.x);
  EXPECT_EQ(68, p.y);
  EXPECT_EQ(640, p.width);
  EXPECT_EQ(412, p.height);
  // Lower than the button row: no height rather than a negative one.
  w.parent.SetClientSize(300, 40);
  resizer.Resize(w.parent.hwnd());
  p = win32test::ChildPlacement(w.list);
  EXPECT_EQ(300, p.width);
  EXPECT_EQ(0, p.height);
}

TEST(ResultList, WritesNumberedRowsHighToLow) {
  ListWindow w;
  w.Append(k12345);
  w.Append(kMinus7);
  ASSERT_EQ(2, win32test::ItemCount(w.list));
  // Label, amount, then 10,000 yen down to 1 yen.
  EXPECT_EQ(
      Texts({"1", "12345", "1", "0", "1", "0", "0", "3", "0", "4", "1", "0"}),
      w.Row(0));
  EXPECT_EQ(
      Texts({"2", "-7", "0", "0", "0", "0", "0", "0", "0", "0", "-1", "-2"}),
      w.Row(1));
}

TEST(ResultList, LabelsCountEveryRowSumRowsIncluded) {
  ListWindow w;
  w.Append(k1000);
  w.Append(k2000);
  ASSERT_EQ(1, w.Total());
  w.Append(k5);
  ASSERT_EQ(4, win32test::ItemCount(w.list));
  EXPECT_EQ("1", ItemText(w.list, 0, 0));
  EXPECT_EQ("2", ItemText(w.list, 1, 0));
  EXPECT_EQ("SUM", ItemText(w.list, 2, 0));
  EXPECT_EQ("4", ItemText(w.list, 3, 0));
  EXPECT_EQ(
      Texts({"SUM", "3000", "0", "0", "1", "1", "0", "0", "0", "0", "0", "0"}),
      w.Row(2));
}

TEST(ResultList, TotalOfAnEmptyListIsAllZero) {
  ListWindow w;
  // Built where stale bytes lay, as on a reused stack: the sums start from
  // what the constructor sets, not from what was there before.
  alignas(ResultList) unsigned char storage[sizeof(ResultList)];
  volatile unsigned char* stale = storage;
  for (size_t i = 0; i < sizeof storage; ++i)
    stale[i] = 0xA5;
  ResultList& sums = *new (storage) ResultList;
  sums.m_hWnd = w.list;
  EXPECT_EQ(1, sums.Total());
  EXPECT_EQ(1, sums.WriteRow(0));
  sums.~ResultList();
  EXPECT_EQ(
      Texts({"SUM", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0"}),
      w.Row(0));
  w.Append({3, {3}});
  EXPECT_EQ("2", ItemText(w.list, 1, 0));
}

TEST(ResultList, TotalAddsEachColumnOnItsOwn) {
  {
    ListWindow w;
    w.Append({88888, {3, 1, 3, 1, 3, 1, 1, 1, 1, 8}});
    ASSERT_EQ(1, w.Total());
    std::vector<std::string> sum = w.Row(1), row = w.Row(0);
    sum[0] = row[0] = "";
    EXPECT_EQ(row, sum) << "one row totals to itself";
  }
  {
    ListWindow w;
    const Row k31000 = {31000, {0, 0, 0, 0, 0, 0, 1, 0, 0, 3}};
    w.Append(k31000);
    w.Append(k31000);
    ASSERT_EQ(1, w.Total());
    EXPECT_EQ(Texts({"SUM", "62000", "6", "0", "0", "2", "0", "0", "0", "0",
                     "0", "0"}),
              w.Row(2));
  }
  {
    ListWindow w; // mixed signs
    w.Append(k12345);
    w.Append({-99999, {-4, -1, -4, -1, -4, -1, 0, -2, -1, -9}});
    ASSERT_EQ(1, w.Total());
    EXPECT_EQ(Texts({"SUM", "-87654", "-8", "-1", "-1", "0", "-1", "-1", "-1",
                     "0", "0", "-4"}),
              w.Row(2));
  }
}

TEST(ResultList, TotalAddsEarlierSumRowsAgain) {
  ListWindow w;
  w.Append(k1000);
  w.Append(k2000);
  ASSERT_EQ(1, w.Total());
  ASSERT_EQ(1, w.Total());
  EXPECT_EQ("6000", ItemText(w.list, 3, 1));
  EXPECT_EQ("2", ItemText(w.list, 3, 5)) << "1,000-yen column";
  EXPECT_EQ("2", ItemText(w.list, 3, 4)) << "2,000-yen column";
}

TEST(ResultList, TotalSelectsEveryRowButTheNewSum) {
  ListWindow w;
  w.Append({1, {1}});
  w.Append({2, {2}});
  w.Append({3, {3}});
  ASSERT_EQ(1, w.Total());
  for (int r = 0; r < 3; ++r)
    EXPECT_TRUE(win32test::IsRowSelected(w.list, r)) << "row " << r;
  EXPECT_FALSE(win32test::IsRowSelected(w.list, 3));
  EXPECT_EQ(LVS_SHOWSELALWAYS,
            GetWindowLongA(w.list, GWL_STYLE) & LVS_SHOWSELALWAYS)
      << "the selection stays visible without the focus";
  w.Append({4, {4}});
  EXPECT_FALSE(win32test::IsRowSelected(w.list, 4))
      << "appending selects nothing";
}

TEST(ResultList, SumsOfNineDigitAmountsKeepEveryDigit) {
  ListWindow w;
  const Row kLargest = {999999999, {4, 1, 4, 1, 4, 1, 0, 2, 1, 99999}};
  w.Append(kLargest);
  w.Append(kLargest);
  ASSERT_EQ(1, w.Total());
  EXPECT_EQ("1999999998", ItemText(w.list, 2, 1));
  EXPECT_EQ("199998", ItemText(w.list, 2, 2)) << "10,000-yen column";
  ASSERT_EQ(1, w.Total());
  EXPECT_EQ("3999999996", ItemText(w.list, 3, 1));
}

TEST(ResultList, CellsHoldAnySixtyFourBitValueAndTotalRefusesOverflow) {
  ListWindow w;
  ResultList row;
  row.m_hWnd = w.list;
  row.m_amount = LLONG_MIN;
  row.m_counts[9] = LLONG_MAX;
  ASSERT_EQ(1, row.WriteRow(1));
  EXPECT_EQ("-9223372036854775808", ItemText(w.list, 0, 1));
  EXPECT_EQ("9223372036854775807", ItemText(w.list, 0, 2));

  ResultList back;
  back.m_hWnd = w.list;
  back.ReadRow(0);
  EXPECT_STREQ("-9223372036854775808", back.m_cells[ResultList::kAmountCell]);
  EXPECT_STREQ("9223372036854775807", back.m_cells[9]);

  // One row totals exactly; a second one would overflow both columns.
  ResultList exact;
  exact.m_hWnd = w.list;
  ASSERT_EQ(1, exact.Total());
  EXPECT_EQ(LLONG_MIN, exact.m_amount);
  EXPECT_EQ(LLONG_MAX, exact.m_counts[9]);
  ASSERT_EQ(1, exact.WriteRow(0));
  EXPECT_EQ(0, w.Total()) << "the sum would leave the 64-bit range";
  EXPECT_EQ(2, win32test::ItemCount(w.list)) << "no row appended";
}

// Another program can set any text in a cell. One longer than any number
// the list writes cannot be read whole, and the part that is read could be a
// wrong number (here 0, where it is -1): Total refuses it.
TEST(ResultList, TotalRefusesACellTooLongToReadWhole) {
  ListWindow w;
  w.Append(k5);
  char text[] = "-0000000000000000000001";
  LVITEMA item = {};
  item.iSubItem = 1;
  item.pszText = text;
  SendMessageA(w.list, LVM_SETITEMTEXTA, 0, reinterpret_cast<LPARAM>(&item));
  ASSERT_EQ(text, ItemText(w.list, 0, 1));
  EXPECT_EQ(0, w.Total());
  EXPECT_EQ(1, win32test::ItemCount(w.list)) << "no row appended";
}

TEST(ResultList, WrappersLeaveTheControlAndAFailedCreateIsHarmless) {
  ListWindow w;
  w.Append(k5);
  {
    ResultList transient;
    transient.m_hWnd = w.list;
  }
  EXPECT_TRUE(IsWindow(w.list));
  EXPECT_EQ(1, win32test::ItemCount(w.list));

  // A child cannot be created without a parent: the null handle is kept and
  // everything sent to it has no effect.
  ResultList orphan;
  orphan.Create(GetModuleHandleA(NULL), NULL);
  EXPECT_EQ(NULL, orphan.m_hWnd);
  EXPECT_EQ(1, orphan.Total()) << "no list holds no rows";
  orphan.Resize(w.parent.hwnd());

  ResultList destroyer;
  destroyer.m_hWnd = w.list;
  destroyer.Destroy();
  EXPECT_FALSE(IsWindow(w.list));
}

} // namespace
