// Tells a script about a running kinshu window, for tests that act through
// the real X display (xdotool) rather than through messages:
//   kinshu_probe locate   the window's rectangle, the screen points of the
//                         controls and of the close box, and the list's
//                         edges (left, top, right, bottom)
//   kinshu_probe rows     the list's rows, cells separated by tabs
//   kinshu_probe state    the ID of the control with the focus, and the
//                         entry box's text, separated by a tab
#include "acceptance/Driver.h"
#include "app/Globals.h"

#include <commctrl.h>

#include <cstdio>
#include <cstring>

namespace {

// Up to 30 s: under Wine on a busy machine the start can take seconds.
HWND WaitForMainWindow() {
  for (int i = 0; i < 1500; ++i) {
    HWND hwnd = FindWindowA("MYWNDCLASS", NULL);
    if (hwnd != NULL && IsWindowVisible(hwnd))
      return hwnd;
    Sleep(20);
  }
  return NULL;
}

void PrintCentre(const char* name, HWND hwnd) {
  RECT r;
  GetWindowRect(hwnd, &r);
  std::printf("%s %ld %ld\n", name, (r.left + r.right) / 2,
              (r.top + r.bottom) / 2);
}

// The centre of the caption's close box, found by asking the window which
// part of it each point of the caption's right end is.
bool PrintCloseBox(HWND hwnd) {
  RECT r;
  GetWindowRect(hwnd, &r);
  RECT box = {r.right, r.bottom, r.left, r.top}; // empty until a hit
  for (int y = r.top; y < r.top + 48; ++y) {
    for (int x = r.right - 1; x > r.right - 96; --x) {
      if (SendMessageA(hwnd, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCLOSE) {
        box.left = x < box.left ? x : box.left;
        box.right = x > box.right ? x : box.right;
        box.top = y < box.top ? y : box.top;
        box.bottom = y > box.bottom ? y : box.bottom;
      }
    }
  }
  if (box.left > box.right)
    return false;
  std::printf("closebox %ld %ld\n", (box.left + box.right) / 2,
              (box.top + box.bottom) / 2);
  return true;
}

int Locate(HWND hwnd) {
  RECT r;
  GetWindowRect(hwnd, &r);
  std::printf("window %ld %ld %ld %ld\n", r.left, r.top, r.right - r.left,
              r.bottom - r.top);
  PrintCentre("edit", GetDlgItem(hwnd, IDC_AMOUNT));
  PrintCentre("input", GetDlgItem(hwnd, IDC_INPUT));
  PrintCentre("close", GetDlgItem(hwnd, IDC_CLOSE));
  PrintCentre("total", GetDlgItem(hwnd, IDC_TOTAL));
  GetWindowRect(GetDlgItem(hwnd, IDC_RESULTS), &r);
  std::printf("list %ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
  return PrintCloseBox(hwnd) ? 0 : 1;
}

int Rows(HWND hwnd) {
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ |
                                   PROCESS_VM_WRITE | PROCESS_QUERY_INFORMATION,
                               FALSE, pid);
  if (process == NULL)
    return 1;
  HWND list = GetDlgItem(hwnd, IDC_RESULTS);
  DWORD_PTR rows = 0;
  if (SendMessageTimeoutA(list, LVM_GETITEMCOUNT, 0, 0, SMTO_NORMAL, 5000,
                          &rows) == 0) {
    CloseHandle(process);
    return 1;
  }
  for (int row = 0; row < static_cast<int>(rows); ++row) {
    for (int column = 0; column <= 11; ++column)
      std::printf("%s%s", column ? "\t" : "",
                  driver::ReadRemoteCell(process, list, row, column).c_str());
    std::printf("\n");
  }
  CloseHandle(process);
  return 0;
}

// What a script waits for after a click or a key: where the focus is and
// what the box holds.
int State(HWND hwnd) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(GetWindowThreadProcessId(hwnd, NULL), &info);
  char text[64] = "";
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(GetDlgItem(hwnd, IDC_AMOUNT), WM_GETTEXT, sizeof text,
                      reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 5000,
                      &ignored);
  std::printf("%d\t%s\n",
              info.hwndFocus != NULL ? GetDlgCtrlID(info.hwndFocus) : 0, text);
  return 0;
}

} // namespace

int main(int argc, char** argv) {
  HWND hwnd = WaitForMainWindow();
  if (hwnd == NULL) {
    std::fprintf(stderr, "kinshu_probe: no kinshu window\n");
    return 1;
  }
  if (argc == 2 && std::strcmp(argv[1], "locate") == 0)
    return Locate(hwnd);
  if (argc == 2 && std::strcmp(argv[1], "rows") == 0)
    return Rows(hwnd);
  if (argc == 2 && std::strcmp(argv[1], "state") == 0)
    return State(hwnd);
  std::fprintf(stderr, "usage: kinshu_probe locate|rows|state\n");
  return 2;
}
