// The real main window, visible, against a bare list view of the same size
// and columns that receives only the messages the commands cannot avoid.
// Prints markdown rows: what, time, floor, ratio, goal, met.
//   kinshu_window_bench [PROGRAM.exe EMPTY_WINDOW.exe [startup]]
//   kinshu_window_bench steps    the program's start-up, step by step
#include "app/Globals.h"
#include "app/MainWindow.h"
#include "controls/ResultList.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

double Now() {
  static LARGE_INTEGER frequency = {};
  if (frequency.QuadPart == 0)
    QueryPerformanceFrequency(&frequency);
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) /
         static_cast<double>(frequency.QuadPart);
}

void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

// The amounts entered, the same for the program and its floor.
std::string AmountText(int i) {
  return std::to_string(1 + (i * 7919) % 999999);
}

struct Costs {
  double inputUs;    // per Input, repaint included
  double totalRowUs; // per row of the Total, repaint included
};

// N Inputs and one Total in the real window, as a click would run them.
Costs ProgramCosts(int n) {
  HWND hwnd = CreateMainWindow(g_hInstance);
  ShowWindow(hwnd, SW_SHOW);
  UpdateWindow(hwnd);
  Pump();
  double inputs = 0;
  for (int i = 0; i < n; ++i) {
    const std::string text = AmountText(i);
    SendMessageA(g_hAmountEdit, WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(text.c_str()));
    UpdateWindow(hwnd); // the typed text is on the screen before the click
    const double start = Now();
    SendMessageA(hwnd, WM_COMMAND, IDC_INPUT, 0);
    UpdateWindow(hwnd);
    inputs += Now() - start;
  }
  const double start = Now();
  SendMessageA(hwnd, WM_COMMAND, IDC_TOTAL, 0);
  UpdateWindow(hwnd);
  const double total = Now() - start;
  DestroyWindow(hwnd);
  Pump();
  MSG quit;
  PeekMessageA(&quit, NULL, WM_QUIT, WM_QUIT, PM_REMOVE);
  return Costs{inputs / n * 1e6, total / n * 1e6};
}

LRESULT CALLBACK PlainProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  return DefWindowProcA(h, m, w, l);
}

// One row as the list receives it: an insert and eleven set-texts.
void AppendBareRow(HWND list, int index, char* label, char (*cells)[32]) {
  LVITEMA item = {};
  item.mask = LVIF_TEXT;
  item.iItem = index;
  item.pszText = label;
  SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
  for (int s = 1; s <= 11; ++s) {
    LVITEMA sub = {};
    sub.mask = LVIF_TEXT;
    sub.iItem = index;
    sub.iSubItem = s;
    sub.pszText = cells[s - 1];
    SendMessageA(list, LVM_SETITEMA, s, reinterpret_cast<LPARAM>(&sub));
  }
}

// The same N rows and Total sent straight to a bare list view: one insert
// and eleven set-texts per row; per row of the Total the select, the item
// count, the selection query and eleven get-texts, then the SUM row.
Costs FloorCosts(int n) {
  HWND parent = CreateWindowExA(
      0, "KinshuBenchParent", "floor", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
      CW_USEDEFAULT, 550, 365, NULL, NULL, g_hInstance, NULL);
  ResultList creator; // the same list view, columns and font
  creator.Create(g_hInstance, parent);
  HWND list = creator.m_hWnd;
  ShowWindow(parent, SW_SHOW);
  UpdateWindow(parent);
  Pump();
  char cells[11][32];
  double inputs = 0;
  for (int i = 0; i < n; ++i) {
    const std::string amount = AmountText(i);
    for (int c = 0; c < 11; ++c)
      std::snprintf(cells[c], sizeof cells[c], "%s",
                    c == 0 ? amount.c_str() : "1");
    std::string label = std::to_string(i + 1);
    const double start = Now();
    AppendBareRow(list, i, &label[0], cells);
    UpdateWindow(parent);
    inputs += Now() - start;
  }
  const double start = Now();
  char text[32];
  for (int i = 0; i < n; ++i) {
    LVITEMA mark = {};
    mark.mask = LVIF_STATE;
    mark.iItem = i;
    mark.state = mark.stateMask = LVIS_SELECTED;
    SendMessageA(list, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&mark));
    SendMessageA(list, LVM_GETITEMCOUNT, 0, 0);
    SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
    for (int s = 1; s <= 11; ++s) {
      LVITEMA sub = {};
      sub.iSubItem = s;
      sub.pszText = text;
      sub.cchTextMax = sizeof text;
      SendMessageA(list, LVM_GETITEMTEXTA, i, reinterpret_cast<LPARAM>(&sub));
    }
  }
  // The Total appends its SUM row: one insert and eleven set-texts more.
  char sumLabel[] = "SUM";
  AppendBareRow(list, n, sumLabel, cells);
  UpdateWindow(parent);
  const double total = Now() - start;
  DestroyWindow(parent);
  Pump();
  return Costs{inputs / n * 1e6, total / n * 1e6};
}

struct FindVisible {
  DWORD pid;
  HWND found;
};

BOOL CALLBACK FindVisibleProc(HWND h, LPARAM l) {
  FindVisible* f = reinterpret_cast<FindVisible*>(l);
  DWORD pid = 0;
  GetWindowThreadProcessId(h, &pid);
  if (pid == f->pid && IsWindowVisible(h)) {
    f->found = h;
    return FALSE;
  }
  return TRUE;
}

// Milliseconds from CreateProcess to a visible window that has handled its
// first messages, its paint included; -1 when the program did not start.
double OneStartMs(const std::string& program, const char* arguments) {
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  std::string cmd = "\"" + program + "\" " + arguments;
  const double start = Now();
  if (!CreateProcessA(program.c_str(), &cmd[0], NULL, NULL, FALSE, 0, NULL,
                      NULL, &si, &pi))
    return -1;
  FindVisible f = {pi.dwProcessId, NULL};
  while (f.found == NULL && Now() - start < 20) {
    EnumWindows(FindVisibleProc, reinterpret_cast<LPARAM>(&f));
    if (f.found == NULL)
      Sleep(1);
  }
  // A sent message is handled by the loop; once the queue is empty the
  // window has painted.
  DWORD_PTR r;
  SendMessageTimeoutA(f.found, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &r);
  SendMessageTimeoutA(f.found, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &r);
  const double ms = (Now() - start) * 1000;
  PostMessageA(f.found, WM_CLOSE, 0, 0);
  WaitForSingleObject(pi.hProcess, 10000);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return f.found != NULL ? ms : -1;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const size_t n = v.size();
  return n % 2 == 1 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

struct StartupPairs {
  double program, floor; // medians, ms
  double ratio;          // median of the ratios of each pair
};

// The program and its floor started in turn, 30 times each, so that the
// machine's drift from one moment to the next falls on both alike; the ratio
// is the median of the pairs' own ratios.
StartupPairs MeasureStartups(const std::string& program,
                             const std::string& floor,
                             const char* floorArguments) {
  std::vector<double> p, f, ratios;
  for (int pair = 0; pair < 30; ++pair) {
    const double a = OneStartMs(program, "");
    const double b = OneStartMs(floor, floorArguments);
    if (a < 0 || b < 0)
      continue;
    p.push_back(a);
    f.push_back(b);
    ratios.push_back(a / b);
  }
  if (ratios.empty())
    return StartupPairs{-1, -1, -1};
  return StartupPairs{Median(p), Median(f), Median(ratios)};
}

void StartupRow(const char* what, const StartupPairs& s) {
  std::printf("| %s | %.1f ms | %.1f ms | %.2f | <= 1.20 | %s |\n", what,
              s.program, s.floor, s.ratio,
              s.ratio > 0 && s.ratio <= 1.2 ? "met" : "NOT met");
}

void Row(const char* what, double value, double floor, const char* unit,
         double goal) {
  const double ratio = value / floor;
  std::printf("| %s | %.1f %s | %.1f %s | %.2f | <= %.2f | %s |\n", what, value,
              unit, floor, unit, ratio, goal,
              ratio <= goal ? "met" : "NOT met");
}

// The cost at 10,000 rows over that at 100: the program's, beside the bare
// list view's.
void ScaleRow(const char* what, double program, double floor) {
  std::printf("| %s | %.2f x | %.2f x (bare list) | - | <= 1.20 | %s |\n", what,
              program, floor, program <= 1.2 ? "met" : "NOT met");
}

// Where the program's own start-up goes, step by step, in a fresh process:
// what WinMain does, timed between the steps.
int StartupSteps() {
  const double t0 = Now();
  g_hInstance = GetModuleHandleA(NULL);
  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&icc);
  const double t1 = Now();
  RegisterMainWindowClass(g_hInstance);
  HWND hwnd = CreateMainWindow(g_hInstance);
  const double t2 = Now();
  ShowWindow(hwnd, SW_SHOW);
  const double t3 = Now();
  UpdateWindow(hwnd);
  Pump();
  const double t4 = Now();
  std::printf("start-up steps: common controls %.1f ms, class and window "
              "with its controls %.1f ms, showing %.1f ms, first paint "
              "%.1f ms\n",
              (t1 - t0) * 1000, (t2 - t1) * 1000, (t3 - t2) * 1000,
              (t4 - t3) * 1000);
  DestroyWindow(hwnd);
  return 0;
}

} // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::string(argv[1]) == "steps")
    return StartupSteps();
  g_hInstance = GetModuleHandleA(NULL);
  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&icc);
  RegisterMainWindowClass(g_hInstance);
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = PlainProc;
  wc.hInstance = g_hInstance;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_MENU + 1);
  wc.lpszClassName = "KinshuBenchParent";
  RegisterClassExA(&wc);

  // A third argument "startup" measures the start-up alone.
  const bool startupOnly = argc == 4 && std::string(argv[3]) == "startup";
  const int sizes[] = {100, 1000, 10000};
  Costs program[3], floor[3];
  for (int k = 0; k < 3 && !startupOnly; ++k) {
    program[k] = ProgramCosts(sizes[k]);
    floor[k] = FloorCosts(sizes[k]);
    char what[64];
    std::snprintf(what, sizeof what, "Input, list of %d", sizes[k]);
    Row(what, program[k].inputUs, floor[k].inputUs, "us", 1.15);
    std::snprintf(what, sizeof what, "Total, per row of %d", sizes[k]);
    Row(what, program[k].totalRowUs, floor[k].totalRowUs, "us", 1.15);
  }
  if (!startupOnly) {
    ScaleRow("Input scale, 10000 rows vs 100",
             program[2].inputUs / program[0].inputUs,
             floor[2].inputUs / floor[0].inputUs);
    ScaleRow("Total scale per row, 10000 rows vs 100",
             program[2].totalRowUs / program[0].totalRowUs,
             floor[2].totalRowUs / floor[0].totalRowUs);
  }
  if (argc >= 3) {
    StartupRow("Start-up to a painted window, 30 pairs in turn (median "
               "ratio of the pairs)",
               MeasureStartups(argv[1], argv[2], ""));
    StartupRow("Start-up, beside an empty window with an empty list view and "
               "a Japanese title, 30 pairs in turn",
               MeasureStartups(argv[1], argv[2], "list japanese"));
  }
  return 0;
}
