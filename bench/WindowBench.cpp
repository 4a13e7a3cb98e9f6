// The real main window, visible, against a bare list view of the same size
// and columns that receives only the messages the commands cannot avoid.
// Prints markdown rows: what, time, floor, ratio, goal, met. Each timed row is
// measured in pairs, the program and its floor in turn, and gives the median
// of the pairs' ratios.
//   kinshu_window_bench [PROGRAM.exe EMPTY_WINDOW.exe [startup]]
//   kinshu_window_bench steps    the program's start-up, step by step
#include "Pairs.h"
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

// The real window and its floor, side by side on the screen, filled and
// totalled in turn.
struct Lists {
  HWND program;     // the main window
  HWND floorParent; // a plain window holding the bare list view
  HWND floor;       // the bare list view, as the program's list is created
  int rows;         // rows in each, SUM rows included
};

// Inputs first to last into the real window, as a click would run them;
// seconds.
double ProgramInputs(const Lists& l, int first, int last) {
  double seconds = 0;
  for (int i = first; i < last; ++i) {
    const std::string text = AmountText(i);
    SendMessageA(g_hAmountEdit, WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(text.c_str()));
    UpdateWindow(l.program); // the typed text is on the screen before the click
    const double start = Now();
    SendMessageA(l.program, WM_COMMAND, IDC_INPUT, 0);
    UpdateWindow(l.program);
    seconds += Now() - start;
  }
  return seconds;
}

// One Total in the real window; seconds.
double ProgramTotal(const Lists& l) {
  const double start = Now();
  SendMessageA(l.program, WM_COMMAND, IDC_TOTAL, 0);
  UpdateWindow(l.program);
  return Now() - start;
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

// The same rows sent straight to the bare list view: one insert and eleven
// set-texts each; seconds.
double FloorInputs(const Lists& l, int first, int last) {
  char cells[11][32];
  double seconds = 0;
  for (int i = first; i < last; ++i) {
    const std::string amount = AmountText(i);
    for (int c = 0; c < 11; ++c)
      std::snprintf(cells[c], sizeof cells[c], "%s",
                    c == 0 ? amount.c_str() : "1");
    std::string label = std::to_string(i + 1);
    const double start = Now();
    AppendBareRow(l.floor, l.rows + i - first, &label[0], cells);
    UpdateWindow(l.floorParent);
    seconds += Now() - start;
  }
  return seconds;
}

// What a Total cannot avoid, on the bare list view: per row the select, the
// item count, the selection query and eleven get-texts, then the SUM row;
// seconds.
double FloorTotal(const Lists& l) {
  char cells[11][32] = {};
  char text[32];
  const double start = Now();
  for (int i = 0; i < l.rows; ++i) {
    LVITEMA mark = {};
    mark.mask = LVIF_STATE;
    mark.iItem = i;
    mark.state = mark.stateMask = LVIS_SELECTED;
    SendMessageA(l.floor, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&mark));
    SendMessageA(l.floor, LVM_GETITEMCOUNT, 0, 0);
    SendMessageA(l.floor, LVM_GETNEXTITEM, static_cast<WPARAM>(-1),
                 LVNI_SELECTED);
    for (int s = 1; s <= 11; ++s) {
      LVITEMA sub = {};
      sub.iSubItem = s;
      sub.pszText = text;
      sub.cchTextMax = sizeof text;
      SendMessageA(l.floor, LVM_GETITEMTEXTA, i,
                   reinterpret_cast<LPARAM>(&sub));
    }
  }
  char sumLabel[] = "SUM";
  AppendBareRow(l.floor, l.rows, sumLabel, cells);
  UpdateWindow(l.floorParent);
  return Now() - start;
}

// A Total selects every row and leaves them selected; each is measured as
// the first is, from no selection.
void Unselect(const Lists& l) {
  LVITEMA none = {};
  none.stateMask = LVIS_SELECTED;
  SendMessageA(g_hResultList, LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
               reinterpret_cast<LPARAM>(&none));
  SendMessageA(l.floor, LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
               reinterpret_cast<LPARAM>(&none));
  UpdateWindow(l.program);
  UpdateWindow(l.floorParent);
  Pump();
}

Lists OpenLists() {
  Lists l = {};
  l.program = CreateMainWindow(g_hInstance);
  l.floorParent = CreateWindowExA(
      0, "KinshuBenchParent", "floor", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
      CW_USEDEFAULT, 550, 365, NULL, NULL, g_hInstance, NULL);
  ResultList creator; // the same list view, columns and font
  creator.Create(g_hInstance, l.floorParent);
  l.floor = creator.m_hWnd;
  // Apart, so that neither covers the other and both paint in full.
  SetWindowPos(l.program, NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  SetWindowPos(l.floorParent, NULL, 600, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  ShowWindow(l.program, SW_SHOW);
  ShowWindow(l.floorParent, SW_SHOW);
  UpdateWindow(l.program);
  UpdateWindow(l.floorParent);
  Pump();
  return l;
}

void CloseLists(const Lists& l) {
  DestroyWindow(l.program);
  DestroyWindow(l.floorParent);
  Pump();
  MSG quit;
  PeekMessageA(&quit, NULL, WM_QUIT, WM_QUIT, PM_REMOVE);
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

// N Inputs into each list, in 20 pairs of blocks of N / 20, then 9 Totals of
// each, in turn; microseconds per Input and per row of a Total.
struct Costs {
  Pairs input, totalRow;
};

Costs MeasureLists(int n) {
  const int blocks = 20, totals = 9;
  Lists l = OpenLists();
  std::vector<double> p, f;
  for (int b = 0; b < blocks; ++b) {
    const int first = b * n / blocks, last = (b + 1) * n / blocks;
    const double perInput = 1e6 / (last - first);
    const std::pair<double, double> m = InTurn(
        b, [&] { return ProgramInputs(l, first, last) * perInput; },
        [&] { return FloorInputs(l, first, last) * perInput; });
    p.push_back(m.first);
    f.push_back(m.second);
    l.rows = last;
  }
  Costs c;
  c.input = Summarise(p, f);
  p.clear();
  f.clear();
  for (int t = 0; t < totals; ++t, ++l.rows) {
    Unselect(l);
    const double perRow = 1e6 / l.rows;
    const std::pair<double, double> m = InTurn(
        t, [&] { return ProgramTotal(l) * perRow; },
        [&] { return FloorTotal(l) * perRow; });
    p.push_back(m.first);
    f.push_back(m.second);
  }
  c.totalRow = Summarise(p, f);
  CloseLists(l);
  return c;
}

// The program and its floor started in turn, 30 times each.
Pairs MeasureStartups(const std::string& program, const std::string& floor,
                      const char* floorArguments) {
  std::vector<double> p, f;
  for (int pair = 0; pair < 30; ++pair) {
    const std::pair<double, double> m = InTurn(
        pair, [&] { return OneStartMs(program, ""); },
        [&] { return OneStartMs(floor, floorArguments); });
    if (m.first < 0 || m.second < 0)
      continue;
    p.push_back(m.first);
    f.push_back(m.second);
  }
  return Summarise(p, f);
}

// A row of pairs: the medians and the median of the pairs' ratios.
void Row(const char* what, const Pairs& m, const char* unit, double goal) {
  std::printf("| %s | %.1f %s | %.1f %s | %.2f | <= %.2f | %s |\n", what,
              m.program, unit, m.floor, unit, m.ratio, goal,
              Verdict(m.ratio, goal));
}

// The cost at 10,000 rows over that at 100, the program's beside the bare
// list view's: the program's growth is held against the list view's own.
void ScaleRow(const char* what, const Pairs& large, const Pairs& small) {
  const bool measured = large.ratio > 0 && small.ratio > 0;
  const double program = large.program / small.program;
  const double floor = large.floor / small.floor;
  const double ratio = measured ? program / floor : -1;
  std::printf("| %s | %.2f x | %.2f x (bare list) | %.2f | <= 1.20 | %s |\n",
              what, program, floor, ratio, Verdict(ratio, 1.2));
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
  Costs costs[3];
  for (int k = 0; k < 3 && !startupOnly; ++k) {
    costs[k] = MeasureLists(sizes[k]);
    char what[96];
    std::snprintf(what, sizeof what, "Input, list of %d, 20 pairs in turn",
                  sizes[k]);
    Row(what, costs[k].input, "us", 1.15);
    std::snprintf(what, sizeof what, "Total, per row of %d, 9 pairs in turn",
                  sizes[k]);
    Row(what, costs[k].totalRow, "us", 1.15);
  }
  if (!startupOnly) {
    ScaleRow("Input scale, 10000 rows vs 100", costs[2].input, costs[0].input);
    ScaleRow("Total scale per row, 10000 rows vs 100", costs[2].totalRow,
             costs[0].totalRow);
  }
  if (argc >= 3) {
    Row("Start-up to a painted window, 30 pairs in turn",
        MeasureStartups(argv[1], argv[2], ""), "ms", 1.2);
    Row("Start-up, beside an empty window with an empty list view and "
        "a Japanese title, 30 pairs in turn",
        MeasureStartups(argv[1], argv[2], "list japanese"), "ms", 1.2);
  }
  return 0;
}
