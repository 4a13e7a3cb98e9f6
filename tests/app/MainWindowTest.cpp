#include "app/MainWindowFixture.h"
#include "app/Texts.h"

#include <commctrl.h>
#include <gtest/gtest.h>

using win32test::ChildPlacement;
using win32test::Placement;

namespace {

TEST(MainWindow, IsCreatedAsTheProgramCreatesIt) {
  KINSHU_REQUIRE_CP932();
  win32test::CreationRecorder recorder;
  MainWindowFixture w;
  ASSERT_TRUE(IsWindow(w.hwnd));
  const win32test::CreationRecorder::Creation* c = recorder.Find("MYWNDCLASS");
  ASSERT_TRUE(c != NULL);
  // The system adds WS_EX_WINDOWEDGE to every overlapped window.
  EXPECT_EQ(0u, c->exStyle & ~static_cast<DWORD>(WS_EX_WINDOWEDGE));
  EXPECT_EQ(static_cast<DWORD>(WS_OVERLAPPEDWINDOW), c->style);
  EXPECT_EQ(550, c->width);
  EXPECT_EQ(365, c->height);
  EXPECT_EQ(NULL, c->parent);
  EXPECT_EQ(0, c->menu);
  EXPECT_EQ("", c->windowName) << "the title comes at WM_CREATE";

  RECT r;
  GetWindowRect(w.hwnd, &r);
  EXPECT_EQ(550, r.right - r.left);
  EXPECT_EQ(365, r.bottom - r.top);
  EXPECT_FALSE(IsWindowVisible(w.hwnd)) << "shown only by ShowWindow";
  EXPECT_EQ(win32test::Hex(texts::kTitle),
            win32test::Hex(win32test::WindowText(w.hwnd)));

  // The controls, children of the main window, in the order of creation.
  std::vector<std::string> children;
  for (const auto& created : recorder.created)
    if (created.parent == w.hwnd)
      children.push_back(win32test::ClassName(
          GetDlgItem(w.hwnd, static_cast<int>(created.menu))));
  const std::vector<std::string> order = {"Button", "Button", "Button", "Edit",
                                          "SysListView32"};
  EXPECT_EQ(order, children);
  EXPECT_EQ(GetDlgItem(w.hwnd, IDC_AMOUNT), g_hAmountEdit);
  EXPECT_EQ(GetDlgItem(w.hwnd, IDC_RESULTS), g_hResultList);
  EXPECT_TRUE(IsWindow(GetDlgItem(w.hwnd, IDC_INPUT)));
  EXPECT_TRUE(IsWindow(GetDlgItem(w.hwnd, IDC_CLOSE)));
  EXPECT_TRUE(IsWindow(GetDlgItem(w.hwnd, IDC_TOTAL)));
  EXPECT_EQ("", w.EntryText());
  EXPECT_EQ(10, SendMessageA(g_hAmountEdit, EM_GETLIMITTEXT, 0, 0));
  EXPECT_EQ(GetMenu(w.hwnd), static_cast<HMENU>(NULL));
}

TEST(MainWindow, ClassHasTheArrowCursorAndMenuColouredBackground) {
  MainWindowFixture w;
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof wc;
  ASSERT_TRUE(GetClassInfoExA(GetModuleHandleA(NULL), "MYWNDCLASS", &wc));
  EXPECT_EQ(reinterpret_cast<HBRUSH>(5), wc.hbrBackground);
  EXPECT_EQ(LoadCursorA(NULL, IDC_ARROW), wc.hCursor);
  EXPECT_EQ(reinterpret_cast<WNDPROC>(MainWndProc), wc.lpfnWndProc);
}

TEST(MainWindow, CommandsWithANonZeroHighWordAreIgnored) {
  MainWindowFixture w;
  w.Paste("5");
  EXPECT_EQ(0, w.Command(MAKEWPARAM(IDC_INPUT, 1)));
  EXPECT_EQ(0, w.Command(MAKEWPARAM(IDC_TOTAL, BN_SETFOCUS)));
  EXPECT_EQ(0, w.Command(MAKEWPARAM(IDC_CLOSE, BN_KILLFOCUS)));
  EXPECT_EQ(0, w.Command(MAKEWPARAM(IDC_AMOUNT, EN_CHANGE)));
  EXPECT_EQ(0, w.Command(999));
  EXPECT_TRUE(IsWindow(w.hwnd));
  EXPECT_EQ(0, w.Rows());
  EXPECT_EQ("5", w.EntryText());
}

// The list fills the client area below the button row; nothing else moves.
void ExpectFitted(const MainWindowFixture& w, const char* when) {
  RECT client;
  GetClientRect(w.hwnd, &client);
  const Placement list = ChildPlacement(g_hResultList);
  EXPECT_EQ(0, list.x) << when;
  EXPECT_EQ(68, list.y) << when;
  EXPECT_EQ(client.right, list.width) << when;
  EXPECT_EQ(client.bottom > 68 ? client.bottom - 68 : 0, list.height) << when;
  const Placement edit = ChildPlacement(g_hAmountEdit);
  EXPECT_EQ(12, edit.x) << when;
  EXPECT_EQ(21, edit.y) << when;
  EXPECT_EQ(120, edit.width) << when;
  const Placement total = ChildPlacement(GetDlgItem(w.hwnd, IDC_TOTAL));
  EXPECT_EQ(280, total.x) << when;
  EXPECT_EQ(21, total.y) << when;
}

TEST(MainWindow, EveryResizeRefitsTheList) {
  MainWindowFixture w;
  ExpectFitted(w, "created");
  ShowWindow(w.hwnd, SW_SHOWNORMAL);
  win32test::PumpMessages(200);
  ExpectFitted(w, "shown");
  SetWindowPos(w.hwnd, NULL, 0, 0, 800, 600, SWP_NOMOVE | SWP_NOZORDER);
  ExpectFitted(w, "800 x 600");
  SetWindowPos(w.hwnd, NULL, 0, 0, 300, 120, SWP_NOMOVE | SWP_NOZORDER);
  ExpectFitted(w, "300 x 120");
  ShowWindow(w.hwnd, SW_MAXIMIZE);
  win32test::PumpMessages(200);
  ExpectFitted(w, "maximised");
  ShowWindow(w.hwnd, SW_MINIMIZE);
  win32test::PumpMessages(200);
  ExpectFitted(w, "minimised");
  ShowWindow(w.hwnd, SW_RESTORE);
  win32test::PumpMessages(200);
  ExpectFitted(w, "restored");
}

// Posts what a way of closing sends, to the shown main window or to one of
// its children, and checks that the loop then ends with exit code 0 and the
// window and its controls are gone.
void ExpectClosingEndsTheLoopWithZero(int childId, UINT msg, WPARAM wParam) {
  MainWindowFixture w;
  ShowWindow(w.hwnd, SW_SHOW);
  HWND target = childId != 0 ? GetDlgItem(w.hwnd, childId) : w.hwnd;
  PostMessageA(target, msg, wParam, 0);
  EXPECT_EQ(0, RunLoopWithSafetyTimer());
  EXPECT_FALSE(IsWindow(w.hwnd));
  EXPECT_FALSE(IsWindow(g_hResultList)) << "the controls go with the window";
}

TEST(MainWindow, CloseButtonEndsTheLoopWithZero) {
  ExpectClosingEndsTheLoopWithZero(0, WM_COMMAND, IDC_CLOSE);
}

TEST(MainWindow, ClickingCloseEndsTheLoopWithZero) {
  ExpectClosingEndsTheLoopWithZero(IDC_CLOSE, BM_CLICK, 0);
}

TEST(MainWindow, CloseBoxEndsTheLoopWithZero) {
  ExpectClosingEndsTheLoopWithZero(0, WM_CLOSE, 0);
}

TEST(MainWindow, SystemMenuCloseEndsTheLoopWithZero) {
  ExpectClosingEndsTheLoopWithZero(0, WM_SYSCOMMAND, SC_CLOSE);
}

} // namespace
