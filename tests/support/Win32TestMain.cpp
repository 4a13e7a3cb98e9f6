// Entry point of the Win32 test programs: the list-view class is made
// available first, as the program itself does at start-up.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&icc);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
