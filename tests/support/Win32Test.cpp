#include "support/Win32Test.h"

#include <commctrl.h>

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
CreationRecorder* g_recorder = NULL;
} // namespace

CreationRecorder::CreationRecorder() {
  g_recorder = this;
  m_hook = SetWindowsHookExA(WH_CBT, &CreationRecorder::Hook, NULL,
                             GetCurrentThreadId());
}

CreationRecorder::~CreationRecorder() {
  UnhookWindowsHookEx(m_hook);
  g_recorder = NULL;
}

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
const char kCaughtMark[] = "KinshuTestCaught";

// The box itself may not be shown yet: look at the child's own style.
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
} // namespace

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

MessageBoxCatcher::MessageBoxCatcher() {
  g_catcher = this;
  m_hook = SetWindowsHookExA(WH_CBT, &MessageBoxCatcher::Hook, NULL,
                             GetCurrentThreadId());
}

MessageBoxCatcher::~MessageBoxCatcher() {
  UnhookWindowsHookEx(m_hook);
  g_catcher = NULL;
}

LRESULT CALLBACK MessageBoxCatcher::Hook(int code, WPARAM wParam,
                                         LPARAM lParam) {
  if (code == HCBT_ACTIVATE && g_catcher != NULL) {
    HWND box = reinterpret_cast<HWND>(wParam);
    // A box is activated again when another program's window took the
    // activation and gave it back: record and dismiss each box once. The
    // mark goes with the window, so a reused handle is a new box.
    if (ClassName(box) == "#32770" && GetPropA(box, kCaughtMark) == NULL) {
      SetPropA(box, kCaughtMark, reinterpret_cast<HANDLE>(1));
      g_catcher->boxes.push_back(DescribeMessageBox(box));
      PostMessageA(box, WM_COMMAND, IDOK, 0);
    }
  } else if (code == HCBT_DESTROYWND) {
    RemovePropA(reinterpret_cast<HWND>(wParam), kCaughtMark);
  }
  return CallNextHookEx(NULL, code, wParam, lParam);
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
