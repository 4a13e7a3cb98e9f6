#include "app/MainWindow.h"

#include "app/Globals.h"
#include "app/Texts.h"
#include "controls/AmountEdit.h"
#include "controls/ButtonBar.h"
#include "controls/ResultList.h"

const char kMainWindowClass[] = "MYWNDCLASS";

namespace {

const int kWindowWidth = 550;
const int kWindowHeight = 365;

// Builds the controls: buttons, entry box, list, in this order.
void OnCreate(HWND hwnd, ButtonBar& buttons, AmountEdit& edit,
              ResultList& list) {
  SendMessageA(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(texts::kTitle));
  buttons.Create(g_hInstance, hwnd);
  edit.Create(g_hInstance, hwnd);
  list.Create(g_hInstance, hwnd);
  g_hResultList = list.m_hWnd;
  g_hAmountEdit = edit.m_hWnd;
  edit.Reset();
}

// Refits the list to the client area, whatever kind of sizing this was.
void OnSize(HWND hwnd, ResultList& list) {
  list.m_hWnd = g_hResultList;
  list.Resize(hwnd);
}

void ShowError(HWND hwnd, const char* text, const char* caption) {
  MessageBoxA(hwnd, text, caption, MB_OK | MB_ICONERROR);
}

// Runs a button's command. The whole wParam is compared: only a click
// (BN_CLICKED, a zero high word) counts.
void OnCommand(HWND hwnd, WPARAM wParam, ButtonBar& buttons) {
  switch (wParam) {
  case IDC_INPUT:
    if (buttons.OnInputCommand(g_hAmountEdit, g_hResultList) == 0)
      ShowError(hwnd, texts::kInputError, texts::kInputErrorCaption);
    break;
  case IDC_CLOSE:
    DestroyWindow(hwnd);
    break;
  case IDC_TOTAL:
    if (buttons.OnTotalCommand(g_hResultList) == 0)
      ShowError(hwnd, texts::kTotalError, texts::kTotalErrorCaption);
    break;
  }
}

} // namespace

ATOM RegisterMainWindowClass(HINSTANCE hInstance) {
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = MainWndProc;
  wc.hInstance = hInstance;
  wc.hCursor = LoadCursorA(NULL, IDC_ARROW);
  // A system colour index plus one: the client area in the menu colour.
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_MENU + 1);
  wc.lpszClassName = kMainWindowClass;
  return RegisterClassExA(&wc);
}

HWND CreateMainWindow(HINSTANCE hInstance) {
  return CreateWindowExA(0,                   // no extended style
                         kMainWindowClass,    // "MYWNDCLASS"
                         NULL,                // title set at WM_CREATE
                         WS_OVERLAPPEDWINDOW, // shown later by ShowWindow
                         CW_USEDEFAULT,       // the system places it
                         CW_USEDEFAULT,       //
                         kWindowWidth,        // outer width
                         kWindowHeight,       // outer height
                         NULL,                // no owner
                         NULL,                // no menu
                         hInstance,           // instance
                         NULL);               // no creation data
}

int RunMessageLoop() {
  MSG msg = {};
  for (;;) {
    const BOOL got = GetMessageA(&msg, NULL, 0, 0);
    if (got == 0)
      return static_cast<int>(msg.wParam);
    if (got == -1)
      return 1;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

LRESULT CALLBACK MainWndProc(HWND hwnd, UINT uMsg, WPARAM wParam,
                             LPARAM lParam) {
  // Transient wrappers: nothing of them outlives the message.
  ButtonBar buttons;
  AmountEdit edit;
  ResultList list;
  switch (uMsg) {
  case WM_CREATE:
    OnCreate(hwnd, buttons, edit, list);
    return 0;
  case WM_DESTROY:
    PostQuitMessage(0);
    return 0;
  case WM_SIZE:
    OnSize(hwnd, list);
    return 0;
  case WM_COMMAND:
    OnCommand(hwnd, wParam, buttons);
    return 0;
  }
  return DefWindowProcA(hwnd, uMsg, wParam, lParam);
}
