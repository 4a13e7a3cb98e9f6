// The catcher ends every box at its creation, whether or not it would ever be
// activated, and a box that no test expected fails the test with its text.
#include "support/Win32Test.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace {

TEST(MessageBoxCatcher, EndsABoxBeforeItIsShownAndRecordsIt) {
  win32test::MessageBoxCatcher catcher;
  win32test::TestParent owner(120, 80, true);
  // MessageBoxA returns only once the box has ended: a box left open would
  // hang here until the watchdog ends the program.
  EXPECT_EQ(IDOK,
            MessageBoxA(owner.hwnd(), "Text", "Caption", MB_OK | MB_ICONERROR));
  MessageBoxA(NULL, "Sure?", "Question", MB_YESNO);
  ASSERT_EQ(2u, catcher.boxes.size());
  EXPECT_EQ("Caption", catcher.boxes[0].caption);
  EXPECT_EQ("Text", catcher.boxes[0].text);
  EXPECT_EQ(owner.hwnd(), catcher.boxes[0].owner);
  EXPECT_TRUE(catcher.boxes[0].errorIcon);
  EXPECT_TRUE(catcher.boxes[0].okOnly);
  EXPECT_TRUE(IsWindowEnabled(owner.hwnd())) << "the owner is enabled again";
  EXPECT_EQ(NULL, catcher.boxes[1].owner);
  EXPECT_FALSE(catcher.boxes[1].errorIcon);
  EXPECT_FALSE(catcher.boxes[1].okOnly);
}

TEST(MessageBoxCatcher, AnUnexpectedBoxFailsTheTestWithItsText) {
  EXPECT_NONFATAL_FAILURE(MessageBoxA(NULL, "Surprise", "Kinshu", MB_OK),
                          "\"Kinshu\": \"Surprise\"");
  {
    win32test::MessageBoxCatcher outer;
    {
      win32test::MessageBoxCatcher inner;
      MessageBoxA(NULL, "inner", "", MB_OK);
      EXPECT_EQ(1u, inner.boxes.size());
    }
    MessageBoxA(NULL, "outer", "", MB_OK);
    ASSERT_EQ(1u, outer.boxes.size());
    EXPECT_EQ("outer", outer.boxes[0].text);
  }
}

} // namespace
