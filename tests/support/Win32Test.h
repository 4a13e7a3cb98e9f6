// Helpers for the Win32 tests: a parent window to put controls on, and
// readers of what the controls really hold.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace win32test {

// A borderless top-level window whose client area has the given size. It
// records the WM_COMMAND messages that its children send it.
class TestParent {
public:
  TestParent(int clientWidth, int clientHeight, bool visible = false);
  ~TestParent();
  TestParent(const TestParent&) = delete;
  TestParent& operator=(const TestParent&) = delete;

  HWND hwnd() const { return m_hwnd; }
  // Gives the client area a new size.
  void SetClientSize(int width, int height);

  struct Command {
    WPARAM wParam;
    LPARAM lParam;
  };
  std::vector<Command> commands;

private:
  static LRESULT CALLBACK WndProc(HWND, UINT, WPARAM, LPARAM);
  HWND m_hwnd;
};

// Records the arguments of every window created on this thread while it
// lives, as CreateWindowEx received them (before any control adjusts its
// own style, as a list view does with its scroll bars). Recorders nest as
// catchers do: the innermost one records.
class CreationRecorder {
public:
  struct Creation {
    std::string className; // empty when the class was given as an atom
    std::string windowName;
    DWORD style;
    DWORD exStyle;
    int x, y, width, height;
    HWND parent;
    INT_PTR menu; // the control ID of a child
  };

  CreationRecorder();
  ~CreationRecorder();
  CreationRecorder(const CreationRecorder&) = delete;
  CreationRecorder& operator=(const CreationRecorder&) = delete;

  std::vector<Creation> created;
  // The first window created with that class name (case does not matter),
  // or NULL. Windows of the system's own, like the IME's, are passed over.
  const Creation* Find(const char* className) const;

private:
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
  CreationRecorder* m_outer;
};

// Catches the message boxes (and any other dialog) that this thread shows
// while it lives: each is recorded and ended at its WM_INITDIALOG, before it
// is ever shown, so that no test waits on a box that nobody will press. A
// box that comes while no catcher lives fails the running test with its
// text, and is ended all the same.
class MessageBoxCatcher {
public:
  struct Box {
    std::string caption;
    std::string text;
    HWND owner;
    bool errorIcon; // shows the system's error (hand) icon
    bool okOnly;    // OK is its one visible button
  };

  MessageBoxCatcher();
  ~MessageBoxCatcher();
  MessageBoxCatcher(const MessageBoxCatcher&) = delete;
  MessageBoxCatcher& operator=(const MessageBoxCatcher&) = delete;

  std::vector<Box> boxes;

private:
  MessageBoxCatcher* m_outer;
};

// Ends every dialog of this thread at its creation (see MessageBoxCatcher);
// the test programs' main installs it for the whole run.
void InstallBoxGuard();

// The watchdog: a test names what it is about to wait for; when it has not
// named anything new for `seconds`, the watchdog prints the test and that
// wait and ends the program, so that a hang fails fast instead of at CTest's
// time-out.
void StartWatchdog(const char* program, int seconds);
void Step(const std::string& what);

// A child's position and size in its parent's client area.
struct Placement {
  int x, y, width, height;
};
Placement ChildPlacement(HWND child);

std::string ClassName(HWND hwnd);
std::string WindowText(HWND hwnd);
std::string ItemText(HWND list, int row, int subItem);
int ItemCount(HWND list);
bool IsRowSelected(HWND list, int row);

// Dispatches this thread's messages for at most ms milliseconds, returning
// early once the queue is empty when untilIdle is set.
void PumpMessages(DWORD ms, bool untilIdle = true);

// The value of an environment variable, or "" where it is not set.
std::string Environment(const char* name);

// Whether this process runs under Wine rather than Windows.
bool RunsUnderWine();

// The program's texts are CP932 bytes handed to the ANSI functions, which
// show them as Japanese only where the process's code page is 932: the
// manifest asks for it, and Windows 11 grants it. Where it is another (an
// earlier Windows of another language), a test that compares such texts is
// skipped with the reason; under Wine, whose runs always have 932, it fails.
// (The switch keeps a following else from binding to the macro's own.)
#define KINSHU_REQUIRE_CP932()                                                 \
  switch (0)                                                                   \
  case 0:                                                                      \
  default:                                                                     \
    if (GetACP() == 932) {                                                     \
    } else if (win32test::RunsUnderWine())                                     \
      FAIL() << "code page " << GetACP() << " under Wine, not 932";            \
    else                                                                       \
      GTEST_SKIP() << "the ANSI code page is " << GetACP()                     \
                   << ", not 932: this Windows does not honour the "           \
                      "manifest's code page"

// The bytes of a text as hexadecimal, so that a failed comparison of CP932
// texts prints something readable.
std::string Hex(const std::string& bytes);

} // namespace win32test
