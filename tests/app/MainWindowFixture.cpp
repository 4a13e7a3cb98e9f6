#include "app/MainWindowFixture.h"

#include <string>

namespace {

// Posted by the safety timer when a loop did not end by itself.
const int kLoopDidNotEnd = 99;

void CALLBACK EndStuckLoop(HWND, UINT, UINT_PTR, DWORD) {
  PostQuitMessage(kLoopDidNotEnd);
}

void DrainQuit() {
  MSG msg;
  while (PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
}

} // namespace

MainWindowFixture::MainWindowFixture() {
  g_hInstance = GetModuleHandleA(NULL);
  static const ATOM registered = RegisterMainWindowClass(g_hInstance);
  (void)registered;
  hwnd = CreateMainWindow(g_hInstance);
}

MainWindowFixture::~MainWindowFixture() {
  if (IsWindow(hwnd))
    DestroyWindow(hwnd);
  // WM_DESTROY posted WM_QUIT to this thread; it must not end a later loop.
  win32test::PumpMessages(50);
  DrainQuit();
}

void MainWindowFixture::Paste(const std::string& text) {
  SendMessageA(g_hAmountEdit, WM_SETTEXT, 0,
               reinterpret_cast<LPARAM>(text.c_str()));
}

void MainWindowFixture::Type(const std::string& keys) {
  for (char c : keys)
    SendMessageA(g_hAmountEdit, WM_CHAR, static_cast<unsigned char>(c), 1);
}

std::string MainWindowFixture::EntryText() const {
  return win32test::WindowText(g_hAmountEdit);
}

LRESULT MainWindowFixture::Command(WPARAM wParam) {
  win32test::Step("the main window to return from WM_COMMAND " +
                  std::to_string(wParam));
  return SendMessageA(hwnd, WM_COMMAND, wParam, 0);
}

void MainWindowFixture::Click(int id) {
  win32test::Step("a click on control " + std::to_string(id) + " to return");
  SendMessageA(GetDlgItem(hwnd, id), BM_CLICK, 0, 0);
  win32test::PumpMessages(100);
}

int MainWindowFixture::Rows() const {
  return win32test::ItemCount(g_hResultList);
}

std::vector<std::string> MainWindowFixture::Row(int row) const {
  std::vector<std::string> texts;
  for (int s = 0; s <= 11; ++s)
    texts.push_back(win32test::ItemText(g_hResultList, row, s));
  return texts;
}

int RunLoopWithSafetyTimer() {
  win32test::Step("the message loop to end");
  const UINT_PTR timer = SetTimer(NULL, 0, 5000, &EndStuckLoop);
  const int code = RunMessageLoop();
  KillTimer(NULL, timer);
  return code;
}
