// Entry point of the Win32 test programs: the list-view class is made
// available first, as the program itself does at start-up; every dialog of
// the test thread is caught at its creation; and a watchdog ends a test that
// stops making progress.
#include "support/Win32Test.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&icc);
  testing::InitGoogleTest(&argc, argv);
  win32test::InstallBoxGuard();
  // Seconds without a new step before the watchdog ends the program; every
  // bounded wait of the tests under one step is shorter (the longest, 25 s,
  // waits for a list that commands posted at once fill).
  const std::string seconds = win32test::Environment("KINSHU_WATCHDOG_SECONDS");
  win32test::StartWatchdog(argv[0],
                           seconds.empty() ? 30 : std::atoi(seconds.c_str()));
  return RUN_ALL_TESTS();
}
