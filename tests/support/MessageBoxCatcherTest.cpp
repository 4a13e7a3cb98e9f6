// The catcher records each box once, however often it is activated: other
// test programs share the display and take the activation away and back.
#include "support/Win32Test.h"

#include <gtest/gtest.h>

namespace {

// An empty modeless dialog: a window of the box class "#32770".
HWND CreateEmptyDialog(const char* caption) {
  // DLGTEMPLATE, then empty menu and class, then the caption, all as WORDs.
  WORD buffer[64] = {};
  DLGTEMPLATE* t = reinterpret_cast<DLGTEMPLATE*>(buffer);
  t->style = WS_POPUP | WS_CAPTION | DS_MODALFRAME;
  t->cx = 100;
  t->cy = 40;
  WORD* p = reinterpret_cast<WORD*>(t + 1);
  *p++ = 0; // no menu
  *p++ = 0; // the standard dialog class
  for (const char* c = caption; *c != '\0'; ++c)
    *p++ = static_cast<WORD>(*c);
  *p = 0;
  return CreateDialogIndirectParamA(GetModuleHandleA(NULL), t, NULL, NULL, 0);
}

TEST(MessageBoxCatcher, RecordsABoxOnceWhenItIsActivatedAgain) {
  win32test::MessageBoxCatcher catcher;
  win32test::TestParent other(120, 80, true);
  HWND box = CreateEmptyDialog("Box");
  ASSERT_TRUE(box != NULL);

  for (int i = 0; i < 3; ++i) {
    ShowWindow(box, SW_SHOW);
    SetActiveWindow(box);
    win32test::PumpMessages(100);
    ASSERT_EQ(box, GetActiveWindow()) << "round " << i;
    SetActiveWindow(other.hwnd());
    win32test::PumpMessages(100);
    ASSERT_EQ(other.hwnd(), GetActiveWindow()) << "round " << i;
  }
  ASSERT_EQ(1u, catcher.boxes.size());
  EXPECT_EQ("Box", catcher.boxes[0].caption);
  DestroyWindow(box);

  // A new box, even one that gets the old handle, is recorded again.
  HWND next = CreateEmptyDialog("Next");
  ASSERT_TRUE(next != NULL);
  ShowWindow(next, SW_SHOW);
  SetActiveWindow(next);
  win32test::PumpMessages(100);
  ASSERT_EQ(2u, catcher.boxes.size());
  EXPECT_EQ("Next", catcher.boxes[1].caption);
  DestroyWindow(next);
}

} // namespace
