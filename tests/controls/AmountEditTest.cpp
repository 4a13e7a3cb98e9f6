#include "controls/AmountEdit.h"
#include "app/Globals.h"
#include "support/Win32Test.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

using win32test::TestParent;

namespace {

// An entry box created through the wrapper on a parent of its own.
struct EntryBox {
  TestParent parent{400, 300};
  AmountEdit edit;
  EntryBox() {
    edit.Create(GetModuleHandleA(NULL), parent.hwnd());
    edit.Reset();
  }
  void SetText(const std::string& text) {
    SendMessageA(edit.m_hWnd, WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(text.c_str()));
  }
  std::string Text() const { return win32test::WindowText(edit.m_hWnd); }
  void Type(const std::string& keys) {
    for (char c : keys)
      SendMessageA(edit.m_hWnd, WM_CHAR, static_cast<unsigned char>(c), 1);
  }
};

TEST(AmountEdit, CreatesTheEditControlAsLaidOut) {
  EntryBox box;
  HWND h = box.edit.m_hWnd;
  ASSERT_TRUE(IsWindow(h));
  EXPECT_STRCASEEQ("Edit", win32test::ClassName(h).c_str());
  const LONG style = GetWindowLongA(h, GWL_STYLE);
  EXPECT_EQ(0x50012002, style) << std::hex << style;
  EXPECT_EQ(0, style & (ES_AUTOHSCROLL | WS_BORDER));
  EXPECT_EQ(WS_EX_CLIENTEDGE,
            GetWindowLongA(h, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  EXPECT_EQ(IDC_AMOUNT, GetDlgCtrlID(h));
  EXPECT_EQ(box.parent.hwnd(), GetParent(h));
  const win32test::Placement p = win32test::ChildPlacement(h);
  EXPECT_EQ(12, p.x);
  EXPECT_EQ(21, p.y);
  EXPECT_EQ(120, p.width);
  EXPECT_EQ(24, p.height);
  EXPECT_EQ(GetStockObject(DEFAULT_GUI_FONT),
            reinterpret_cast<HGDIOBJ>(SendMessageA(h, WM_GETFONT, 0, 0)));
}

TEST(AmountEdit, ResetLimitsToTenCharactersAndEmpties) {
  EntryBox box;
  box.SetText("123");
  box.edit.Reset();
  EXPECT_EQ("", box.Text());
  EXPECT_EQ(10, SendMessageA(box.edit.m_hWnd, EM_GETLIMITTEXT, 0, 0));
  box.Type("123456789012");
  EXPECT_EQ("1234567890", box.Text()) << "typing stops at the limit";
}

TEST(AmountEdit, TypedCharactersAreFilteredToDigits) {
  EntryBox box;
  box.Type("1a-2 +3.");
  EXPECT_EQ("123", box.Text());
}

struct ReadCase {
  const char* text;
  int result;
  int value;
  const char* textAfter; // NULL: unchanged
};

TEST(AmountEdit, ReadsPastedTexts) {
  const ReadCase cases[] = {
      {"12345", 1, 12345, NULL}, {"007", 1, 7, NULL}, {"0", 1, 0, NULL},
      {" 42", 1, 42, NULL},      {"+5", 1, 5, NULL},  {"-7", 1, -7, NULL},
      {"12abc", 1, 12, NULL},    {"", 0, 0, "0"},     {"abc", 0, 0, "0"},
      {"-", 0, 0, "0"},          {"   ", 0, 0, "0"},
  };
  for (const ReadCase& c : cases) {
    EntryBox box;
    box.SetText(c.text);
    box.edit.m_value = 99;
    EXPECT_EQ(c.result, box.edit.Read()) << '"' << c.text << '"';
    EXPECT_EQ(c.value, box.edit.m_value) << '"' << c.text << '"';
    EXPECT_EQ(c.textAfter ? c.textAfter : c.text, box.Text())
        << '"' << c.text << '"';
  }
}

TEST(AmountEdit, ReadKeepsTheTenthDigit) {
  EntryBox box;
  box.Type("1234567890");
  ASSERT_EQ("1234567890", box.Text());
  EXPECT_EQ(1, box.edit.Read());
  EXPECT_EQ(1234567890, box.edit.m_value);
  EXPECT_EQ("1234567890", box.Text());
}

TEST(AmountEdit, ReadRefusesAmountsBeyondThirtyTwoBitsAndKeepsThem) {
  const char* const refused[] = {"9999999999", "2147483648", "-2147483649",
                                 "123456789012345678901234567890"};
  for (const char* text : refused) {
    EntryBox box;
    box.SetText(text);
    box.edit.m_value = 99;
    EXPECT_EQ(0, box.edit.Read()) << text;
    EXPECT_EQ(0, box.edit.m_value) << text;
    EXPECT_EQ(text, box.Text()) << "the refused text stays in view";
  }
}

TEST(AmountEdit, ReadsTextLongerThanTheLimitWhole) {
  EntryBox box;
  // Set by another program: WM_SETTEXT is not bound by the limit.
  box.SetText("-2147483648");
  EXPECT_EQ(1, box.edit.Read());
  EXPECT_EQ(INT_MIN, box.edit.m_value);
  // Either side of the end of Read's 64-byte buffer, past which the text is
  // read into a block of its own size: no digit is lost.
  for (size_t length = 62; length <= 66; ++length) {
    box.SetText(std::string(length - 2, '0') + "42");
    EXPECT_EQ(1, box.edit.Read()) << length;
    EXPECT_EQ(42, box.edit.m_value) << length;
    box.SetText(std::string(length - 10, '0') + "2147483648");
    EXPECT_EQ(0, box.edit.Read()) << length << ": one beyond the range";
  }
}

TEST(AmountEdit, DroppingOrDestroyingWrappersIsHarmless) {
  EntryBox box;
  box.SetText("77");
  {
    AmountEdit transient;
    transient.m_hWnd = box.edit.m_hWnd;
    EXPECT_EQ(1, transient.Read());
  }
  EXPECT_TRUE(IsWindow(box.edit.m_hWnd));
  EXPECT_EQ("77", box.Text());
  EXPECT_EQ(10, SendMessageA(box.edit.m_hWnd, EM_GETLIMITTEXT, 0, 0));

  AmountEdit fresh;
  EXPECT_EQ(0, fresh.Read()) << "a box that does not exist holds no number";

  box.edit.Destroy();
  EXPECT_FALSE(IsWindow(box.edit.m_hWnd));
}

} // namespace
