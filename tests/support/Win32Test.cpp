#include "support/Win32Test.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdio>

namespace win32test {

namespace {

const char kParentClass[] = "KinshuTestParent";

void RegisterParentClass(WNDPROC proc) {
  static bool registered = false;
  if (registered)
    return;
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleA(NULL);
  wc.hCursor = LoadCursorA(NULL, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_MENU + 1);
  wc.lpszClassName = kParentClass;
  RegisterClassExA(&wc);
  registered = true;
}

} // namespace

TestParent::TestParent(int clientWidth, int clientHeight, bool visible) {
  RegisterParentClass(&TestParent::WndProc);
  // A popup without border or caption: its client area is the window.
  m_hwnd = CreateWindowExA(
      0, kParentClass, "test parent",
      WS_POPUP | WS_CLIPCHILDREN | (visible ? WS_VISIBLE : 0), 10, 10,
      clientWidth, clientHeight, NULL, NULL, GetModuleHandleA(NULL), NULL);
  SetWindowLongPtrA(m_hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  if (visible)
    PumpMessages(200);
}

TestParent::~TestParent() { DestroyWindow(m_hwnd); }

void TestParent::SetClientSize(int width, int height) {
  SetWindowPos(m_hwnd, NULL, 0, 0, width, height,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK TestParent::WndProc(HWND hwnd, UINT msg, WPARAM wParam,
                                     LPARAM lParam) {
  TestParent* self =
      reinterpret_cast<TestParent*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (msg == WM_COMMAND && self != NULL) {
    self->commands.push_back(Command{wParam, lParam});
    return 0;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

namespace {
// The innermost recorder that lives; the ones it hides take their windows
// again once it is gone.
CreationRecorder* g_recorder = NULL;
} // namespace

CreationRecorder::CreationRecorder() : m_outer(g_recorder) {
  // One hook for the thread's whole run, like the box guard's.
  static HHOOK hook = SetWindowsHookExA(WH_CBT, &CreationRecorder::Hook, NULL,
                                        GetCurrentThreadId());
  (void)hook;
  g_recorder = this;
}

CreationRecorder::~CreationRecorder() { g_recorder = m_outer; }

LRESULT CALLBACK CreationRecorder::Hook(int code, WPARAM wParam,
                                        LPARAM lParam) {
  if (code == HCBT_CREATEWND && g_recorder != NULL) {
    const CREATESTRUCTA* cs = reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
    Creation c;
    c.className = HIWORD(reinterpret_cast<UINT_PTR>(cs->lpszClass)) != 0
                      ? cs->lpszClass
                      : "";
    // With common controls 6, system classes carry a version prefix, as in
    // "6.0.2600.2982!Button".
    const std::string::size_type bang = c.className.rfind('!');
    if (bang != std::string::npos)
      c.className.erase(0, bang + 1);
    c.windowName = cs->lpszName != NULL &&
                           HIWORD(reinterpret_cast<UINT_PTR>(cs->lpszName)) != 0
                       ? cs->lpszName
                       : "";
    c.style = static_cast<DWORD>(cs->style);
    c.exStyle = cs->dwExStyle;
    c.x = cs->x;
    c.y = cs->y;
    c.width = cs->cx;
    c.height = cs->cy;
    c.parent = cs->hwndParent;
    c.menu = reinterpret_cast<INT_PTR>(cs->hMenu);
    g_recorder->created.push_back(c);
  }
  return CallNextHookEx(NULL, code, wParam, lParam);
}

namespace {
MessageBoxCatcher* g_catcher = NULL;

// The box's controls already hold their final state at the end of
// WM_INITDIALOG; the box itself is not shown yet.
bool VisibleChild(HWND box, int id) {
  HWND h = GetDlgItem(box, id);
  return h != NULL && (GetWindowLongA(h, GWL_STYLE) & WS_VISIBLE) != 0;
}

// The icon of a message box is the one static control with SS_ICON.
HICON BoxIcon(HWND box) {
  for (HWND c = GetWindow(box, GW_CHILD); c != NULL;
       c = GetWindow(c, GW_HWNDNEXT)) {
    if (lstrcmpiA(ClassName(c).c_str(), "Static") == 0 &&
        (GetWindowLongA(c, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
      return reinterpret_cast<HICON>(SendMessageA(c, STM_GETICON, 0, 0));
  }
  return NULL;
}

// Describes a message box window (class "#32770") as the catcher records it.
MessageBoxCatcher::Box DescribeMessageBox(HWND box) {
  MessageBoxCatcher::Box b;
  b.caption = WindowText(box);
  // The message text is the static control with the ID 0xFFFF.
  b.text = WindowText(GetDlgItem(box, 0xFFFF));
  b.owner = GetWindow(box, GW_OWNER);
  b.errorIcon = BoxIcon(box) == LoadIconA(NULL, IDI_HAND);
  b.okOnly = VisibleChild(box, IDOK) && !VisibleChild(box, IDCANCEL) &&
             !VisibleChild(box, IDYES) && !VisibleChild(box, IDNO) &&
             !VisibleChild(box, IDABORT) && !VisibleChild(box, IDRETRY) &&
             !VisibleChild(box, IDIGNORE);
  return b;
}

const char kDialogProc[] = "KinshuTestDialogProc";

// A dialog's window procedure while the guard watches it: once the dialog has
// handled WM_INITDIALOG, it is recorded and ended, so that its modal loop
// returns at once, whether or not it would ever be shown or activated.
LRESULT CALLBACK EndAfterInit(HWND hwnd, UINT msg, WPARAM wParam,
                              LPARAM lParam) {
  const WNDPROC own = reinterpret_cast<WNDPROC>(GetPropA(hwnd, kDialogProc));
  if (msg == WM_NCDESTROY)
    RemovePropA(hwnd, kDialogProc);
  const LRESULT result = CallWindowProcW(own, hwnd, msg, wParam, lParam);
  if (msg == WM_INITDIALOG) {
    const MessageBoxCatcher::Box box = DescribeMessageBox(hwnd);
    if (g_catcher != NULL)
      g_catcher->boxes.push_back(box);
    else
      ADD_FAILURE() << "a message box that the test did not expect: \""
                    << box.caption << "\": \"" << box.text << "\"";
    EndDialog(hwnd, IDOK);
  }
  return result;
}

// A CBT hook, unlike a hook on every sent message, costs nothing while no
// window is created: each new dialog gets EndAfterInit in front of its own
// procedure before it receives WM_INITDIALOG.
LRESULT CALLBACK WatchNewDialogs(int code, WPARAM wParam, LPARAM lParam) {
  HWND hwnd = reinterpret_cast<HWND>(wParam);
  if (code == HCBT_CREATEWND && ClassName(hwnd) == "#32770")
    SetPropA(
        hwnd, kDialogProc,
        reinterpret_cast<HANDLE>(SetWindowLongPtrW(
            hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(EndAfterInit))));
  return CallNextHookEx(NULL, code, wParam, lParam);
}
} // namespace

void InstallBoxGuard() {
  static HHOOK hook =
      SetWindowsHookExA(WH_CBT, WatchNewDialogs, NULL, GetCurrentThreadId());
  (void)hook;
}

MessageBoxCatcher::MessageBoxCatcher() : m_outer(g_catcher) {
  InstallBoxGuard();
  g_catcher = this;
}

MessageBoxCatcher::~MessageBoxCatcher() { g_catcher = m_outer; }

namespace {
CRITICAL_SECTION g_stepLock;
std::string g_test = "start-up";
std::string g_step = "nothing yet";
DWORD g_stepAt = 0;
const char* g_program = "";
int g_watchdogSeconds = 0;

class WatchTests : public ::testing::EmptyTestEventListener {
  void OnTestStart(const ::testing::TestInfo& info) override {
    EnterCriticalSection(&g_stepLock);
    g_test = std::string(info.test_suite_name()) + "." + info.name();
    LeaveCriticalSection(&g_stepLock);
    Step("the test's first step");
  }
};

DWORD WINAPI Watch(void*) {
  for (;;) {
    Sleep(250);
    EnterCriticalSection(&g_stepLock);
    const DWORD idle = GetTickCount() - g_stepAt;
    if (idle >= static_cast<DWORD>(g_watchdogSeconds) * 1000) {
      std::fprintf(stderr,
                   "%s: watchdog: %s made no progress for %d s; it was "
                   "waiting for %s\n",
                   g_program, g_test.c_str(), g_watchdogSeconds,
                   g_step.c_str());
      std::fflush(stderr);
      std::fflush(stdout);
      TerminateProcess(GetCurrentProcess(), 3);
    }
    LeaveCriticalSection(&g_stepLock);
  }
}
} // namespace

void StartWatchdog(const char* program, int seconds) {
  if (seconds <= 0)
    return; // switched off, as for a debugger session
  InitializeCriticalSection(&g_stepLock);
  g_program = program;
  g_watchdogSeconds = seconds;
  Step("the first test");
  ::testing::UnitTest::GetInstance()->listeners().Append(new WatchTests);
  CloseHandle(CreateThread(NULL, 0, Watch, NULL, 0, NULL));
}

void Step(const std::string& what) {
  if (g_watchdogSeconds == 0)
    return; // no watchdog in this program (the probe)
  EnterCriticalSection(&g_stepLock);
  g_step = what;
  g_stepAt = GetTickCount();
  LeaveCriticalSection(&g_stepLock);
}

const CreationRecorder::Creation*
CreationRecorder::Find(const char* className) const {
  for (const Creation& c : created)
    if (lstrcmpiA(c.className.c_str(), className) == 0)
      return &c;
  return NULL;
}

Placement ChildPlacement(HWND child) {
  RECT r = {0, 0, 0, 0};
  GetWindowRect(child, &r);
  MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&r),
                  2);
  const Placement p = {r.left, r.top, r.right - r.left, r.bottom - r.top};
  return p;
}

std::string ClassName(HWND hwnd) {
  char name[256] = "";
  GetClassNameA(hwnd, name, sizeof name);
  return name;
}

std::string WindowText(HWND hwnd) {
  const int length = GetWindowTextLengthA(hwnd);
  std::string text(length + 1, '\0');
  const int got = GetWindowTextA(hwnd, &text[0], length + 1);
  text.resize(got > 0 ? got : 0);
  return text;
}

std::string ItemText(HWND list, int row, int subItem) {
  char buffer[512] = "";
  LVITEMA item = {};
  item.iSubItem = subItem;
  item.pszText = buffer;
  item.cchTextMax = sizeof buffer;
  SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
  // A text cut short to the buffer comes back, under Wine, without its
  // closing zero.
  buffer[sizeof buffer - 1] = '\0';
  return buffer;
}

int ItemCount(HWND list) {
  return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
}

bool IsRowSelected(HWND list, int row) {
  return SendMessageA(list, LVM_GETITEMSTATE, row, LVIS_SELECTED) ==
         LVIS_SELECTED;
}

void PumpMessages(DWORD ms, bool untilIdle) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < ms) {
    MSG msg;
    if (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    } else if (untilIdle) {
      return;
    } else {
      MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_ALLINPUT);
    }
  }
}

std::string Environment(const char* name) {
  char value[1024] = "";
  const DWORD n = GetEnvironmentVariableA(name, value, sizeof value);
  return n > 0 && n < sizeof value ? value : "";
}

bool RunsUnderWine() {
  return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") !=
         NULL;
}

std::string Hex(const std::string& bytes) {
  std::string out;
  char b[4];
  for (unsigned char c : bytes) {
    std::snprintf(b, sizeof b, "%02x ", c);
    out += b;
  }
  return out;
}

} // namespace win32test
