#include "acceptance/Driver.h"

#include "app/Globals.h"

#include "support/Win32Test.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace driver {

namespace {

const DWORD kWait = 10000; // every wait on the program is bounded

struct WindowSearch {
  DWORD processId;
  const char* className;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM lParam) {
  WindowSearch* search = reinterpret_cast<WindowSearch*>(lParam);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  char cls[64] = "";
  GetClassNameA(hwnd, cls, sizeof cls);
  if (pid == search->processId && lstrcmpA(cls, search->className) == 0 &&
      IsWindowVisible(hwnd))
    search->found.push_back(hwnd);
  return TRUE;
}

// The visible top-level windows of a class that belong to a process.
std::vector<HWND> VisibleWindowsOf(DWORD processId, const char* className) {
  WindowSearch search = {processId, className, {}};
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Ends a program that stopped answering, so that the rest of the test fails
// at once instead of waiting on it again and again.
void EndHungProgram(HWND window) {
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, pid);
  if (process != NULL) {
    TerminateProcess(process, 254);
    CloseHandle(process);
  }
}

// Sends a message to a window of the program, waiting for its answer for at
// most kWait, which is shorter than the watchdog's time: the caller's step
// stays the one reported. A program that does not answer fails the test,
// naming what was asked of it, and is ended.
LRESULT SendBounded(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                    const char* what) {
  DWORD_PTR result = 0;
  if (!IsWindow(hwnd)) {
    ADD_FAILURE() << "kinshu's window is gone; it cannot answer " << what;
  } else if (SendMessageTimeoutA(hwnd, msg, wParam, lParam, SMTO_NORMAL, kWait,
                                 &result) == 0) {
    ADD_FAILURE() << "kinshu did not answer " << what << " within "
                  << kWait / 1000 << " s; it is ended";
    EndHungProgram(hwnd);
  }
  return static_cast<LRESULT>(result);
}

// WM_GETTEXT is carried across processes by the system.
std::string RemoteText(HWND hwnd) {
  char text[1024] = "";
  SendBounded(hwnd, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
              "WM_GETTEXT");
  return text;
}

DWORD WINAPI SendClick(void* button) {
  // Returns once the program has handled the click, message boxes included.
  SendMessageA(static_cast<HWND>(button), BM_CLICK, 0, 0);
  return 0;
}

} // namespace

std::string ReadRemoteCell(HANDLE process, HWND list, int row, int column) {
  const SIZE_T kText = 256;
  char* remote = static_cast<char*>(
      VirtualAllocEx(process, NULL, sizeof(LVITEMA) + kText,
                     MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
  if (remote == NULL)
    return "<no memory in the program>";
  LVITEMA item = {};
  item.mask = LVIF_TEXT;
  item.iItem = row;
  item.iSubItem = column;
  item.pszText = remote + sizeof(LVITEMA);
  item.cchTextMax = static_cast<int>(kText);
  char text[kText] = "";
  DWORD_PTR length = 0;
  if (!WriteProcessMemory(process, remote, &item, sizeof item, NULL))
    lstrcpyA(text, "<the program's memory could not be written>");
  else if (SendMessageTimeoutA(list, LVM_GETITEMTEXTA, row,
                               reinterpret_cast<LPARAM>(remote), SMTO_NORMAL,
                               kWait, &length) == 0)
    lstrcpyA(text, "<no answer from the list>");
  else
    ReadProcessMemory(process, remote + sizeof(LVITEMA), text, kText - 1, NULL);
  VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  return text;
}

std::string Describe(const std::vector<Box>& boxes) {
  std::string lines;
  for (const Box& b : boxes)
    lines += b.caption + ": " + b.text + "\n";
  return lines;
}

std::string DefaultProgramPath() {
  // CTest names the program that the build made, wherever the generator put
  // it; the slashes of its path become the system's own.
  std::string named = win32test::Environment("KINSHU_PROGRAM");
  if (!named.empty()) {
    for (char& c : named)
      c = c == '/' ? '\\' : c;
    return named;
  }
  char path[MAX_PATH] = "";
  GetModuleFileNameA(NULL, path, MAX_PATH);
  std::string dir(path);
  dir.erase(dir.find_last_of("\\/"));
  return dir + "\\..\\kinshu.exe";
}

Kinshu::Kinshu(const std::string& arguments, const std::string& program)
    : m_process(), m_main(NULL) {
  std::string commandLine = "\"" + program + "\"";
  if (!arguments.empty())
    commandLine += " " + arguments;
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  if (!CreateProcessA(program.c_str(), &commandLine[0], NULL, NULL, FALSE, 0,
                      NULL, NULL, &si, &m_process))
    return;
  win32test::Step("kinshu's main window to appear");
  WaitForInputIdle(m_process.hProcess, kWait);
  const DWORD start = GetTickCount();
  while (m_main == NULL && GetTickCount() - start < kWait) {
    const std::vector<HWND> found =
        VisibleWindowsOf(m_process.dwProcessId, "MYWNDCLASS");
    if (found.empty())
      Sleep(20);
    else
      m_main = found.front();
  }
}

Kinshu::~Kinshu() {
  if (m_process.hProcess == NULL)
    return;
  if (WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT) {
    TerminateProcess(m_process.hProcess, 255);
    WaitForSingleObject(m_process.hProcess, kWait);
  }
  CloseHandle(m_process.hThread);
  CloseHandle(m_process.hProcess);
}

std::string Kinshu::Title() const { return RemoteText(m_main); }

std::wstring Kinshu::UnicodeTitle() const {
  wchar_t text[256] = L"";
  DWORD_PTR ignored = 0;
  if (SendMessageTimeoutW(m_main, WM_GETTEXT, 256,
                          reinterpret_cast<LPARAM>(text), SMTO_NORMAL, kWait,
                          &ignored) == 0)
    ADD_FAILURE() << "kinshu did not answer WM_GETTEXT";
  return text;
}

std::string Kinshu::EntryText() const {
  return RemoteText(control(IDC_AMOUNT));
}

void Kinshu::Paste(const std::string& text) {
  SendBounded(control(IDC_AMOUNT), WM_SETTEXT, 0,
              reinterpret_cast<LPARAM>(text.c_str()), "WM_SETTEXT");
}

void Kinshu::Type(const std::string& keys) {
  for (char c : keys)
    SendBounded(control(IDC_AMOUNT), WM_CHAR, static_cast<unsigned char>(c), 1,
                "WM_CHAR");
}

void Kinshu::AnswerBoxes() {
  for (HWND box : VisibleWindowsOf(m_process.dwProcessId, "#32770")) {
    Box b;
    b.caption = RemoteText(box);
    b.text = RemoteText(GetDlgItem(box, 0xFFFF));
    b.ownedByMain = GetWindow(box, GW_OWNER) == m_main;
    m_boxes.push_back(b);
    // OK's own notification, sent to the box: BM_CLICK can fail where the
    // box is not the active window, as on a desktop shared with others.
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
    // Wait for this box to go before looking for the next one.
    win32test::Step("the box \"" + b.text + "\" to close after OK");
    const DWORD start = GetTickCount();
    while (IsWindow(box) && IsWindowVisible(box)) {
      if (GetTickCount() - start >= kWait) {
        ADD_FAILURE() << "the box \"" << b.text << "\" did not close within "
                      << kWait / 1000 << " s of its OK";
        return;
      }
      Sleep(10);
    }
  }
}

void Kinshu::Click(int id) {
  win32test::Step("kinshu to handle a click on control " + std::to_string(id));
  HANDLE thread = CreateThread(NULL, 0, SendClick, control(id), 0, NULL);
  const DWORD start = GetTickCount();
  while (WaitForSingleObject(thread, 20) == WAIT_TIMEOUT) {
    if (GetTickCount() - start >= kWait) {
      ADD_FAILURE() << "kinshu did not handle a click on control " << id
                    << " within " << kWait / 1000 << " s; it is ended";
      EndHungProgram(m_main);
      break;
    }
    AnswerBoxes();
  }
  CloseHandle(thread);
}

std::vector<Box> Kinshu::ClickUntilBox(int id, int most) {
  std::vector<Box> boxes;
  for (int i = 0; i < most && boxes.empty(); ++i) {
    Click(id);
    boxes = TakeBoxes();
  }
  return boxes;
}

std::vector<Box> Kinshu::TakeBoxes() {
  AnswerBoxes(); // a box that a posted command opened is open still
  std::vector<Box> taken;
  taken.swap(m_boxes);
  return taken;
}

int Kinshu::Rows() const {
  return static_cast<int>(SendBounded(control(IDC_RESULTS), LVM_GETITEMCOUNT, 0,
                                      0, "LVM_GETITEMCOUNT"));
}

std::string Kinshu::Cell(int row, int column) const {
  return ReadRemoteCell(m_process.hProcess, control(IDC_RESULTS), row, column);
}

std::vector<std::string> Kinshu::Row(int row) const {
  std::vector<std::string> texts;
  for (int column = 0; column <= 11; ++column)
    texts.push_back(Cell(row, column));
  return texts;
}

int Kinshu::WaitForExit(DWORD timeoutMs) {
  win32test::Step("kinshu to end");
  if (WaitForSingleObject(m_process.hProcess, timeoutMs) != WAIT_OBJECT_0) {
    ADD_FAILURE() << "kinshu did not end within " << timeoutMs / 1000 << " s";
    return -1;
  }
  DWORD code = 0;
  GetExitCodeProcess(m_process.hProcess, &code);
  return static_cast<int>(code);
}

} // namespace driver
