#include "controls/ButtonBar.h"
#include "app/Globals.h"
#include "app/Texts.h"
#include "support/Win32Test.h"

#include <gtest/gtest.h>

using win32test::TestParent;

namespace {

struct ExpectedButton {
  int id;
  const char* label;
  int x;
};

const ExpectedButton kButtons[] = {
    {IDC_INPUT, texts::kInputButton, 136},
    {IDC_CLOSE, texts::kCloseButton, 208},
    {IDC_TOTAL, texts::kTotalButton, 280},
};

TEST(ButtonBar, CreatesThreeTouchingPushButtons) {
  KINSHU_REQUIRE_CP932();
  TestParent parent(400, 300);
  ButtonBar bar;
  bar.Create(GetModuleHandleA(NULL), parent.hwnd());
  const HWND handles[] = {bar.m_hInputButton, bar.m_hCloseButton,
                          bar.m_hTotalButton};
  for (int i = 0; i < 3; ++i) {
    HWND h = handles[i];
    const ExpectedButton& e = kButtons[i];
    ASSERT_TRUE(IsWindow(h)) << "button " << e.id;
    EXPECT_EQ(h, GetDlgItem(parent.hwnd(), e.id));
    EXPECT_STRCASEEQ("Button", win32test::ClassName(h).c_str());
    EXPECT_EQ(0x50010000, GetWindowLongA(h, GWL_STYLE)) << "button " << e.id;
    EXPECT_EQ(0, GetWindowLongA(h, GWL_EXSTYLE) & ~WS_EX_NOPARENTNOTIFY);
    EXPECT_EQ(win32test::Hex(e.label),
              win32test::Hex(win32test::WindowText(h)));
    const win32test::Placement p = win32test::ChildPlacement(h);
    EXPECT_EQ(e.x, p.x);
    EXPECT_EQ(21, p.y);
    EXPECT_EQ(72, p.width);
    EXPECT_EQ(24, p.height);
    EXPECT_EQ(GetStockObject(DEFAULT_GUI_FONT),
              reinterpret_cast<HGDIOBJ>(SendMessageA(h, WM_GETFONT, 0, 0)));
  }
}

TEST(ButtonBar, ClicksReachTheParentAsCommandsWithZeroHighWord) {
  TestParent parent(400, 300, true);
  {
    ButtonBar bar;
    bar.Create(GetModuleHandleA(NULL), parent.hwnd());
  } // dropping the object leaves the buttons working
  for (const ExpectedButton& e : kButtons) {
    parent.commands.clear();
    HWND h = GetDlgItem(parent.hwnd(), e.id);
    ASSERT_TRUE(IsWindow(h));
    SendMessageA(h, BM_CLICK, 0, 0);
    win32test::PumpMessages(200);
    ASSERT_EQ(1u, parent.commands.size()) << "button " << e.id;
    EXPECT_EQ(static_cast<WPARAM>(e.id), parent.commands[0].wParam);
    EXPECT_EQ(BN_CLICKED, HIWORD(parent.commands[0].wParam));
    EXPECT_EQ(reinterpret_cast<LPARAM>(h), parent.commands[0].lParam);
  }
}

TEST(ButtonBar, DestroyRemovesTheButtons) {
  TestParent parent(400, 300);
  ButtonBar bar;
  bar.Create(GetModuleHandleA(NULL), parent.hwnd());
  bar.Destroy();
  EXPECT_FALSE(IsWindow(bar.m_hInputButton));
  EXPECT_FALSE(IsWindow(bar.m_hCloseButton));
  EXPECT_FALSE(IsWindow(bar.m_hTotalButton));
}

} // namespace
