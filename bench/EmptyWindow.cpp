// The start-up floor: a program that only opens an empty window of the
// program's size and runs a message loop. With the argument "list" it also
// makes the list-view class available and puts an empty list view in the
// window; with "japanese" its title is the program's, in CP932, so that a
// Japanese font is loaded and drawn: the platform's shares of the program's
// start-up.
#include "app/Texts.h"

#include <windows.h>

#include <commctrl.h>
#include <cstring>

namespace {
LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(h, m, w, l);
}
} // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR lpCmdLine,
                   int nCmdShow) {
  const bool withList = std::strstr(lpCmdLine, "list") != NULL;
  if (withList) {
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
  }
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = Proc;
  wc.hInstance = hInstance;
  wc.hCursor = LoadCursorA(NULL, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_MENU + 1);
  wc.lpszClassName = "EmptyWindow";
  RegisterClassExA(&wc);
  const bool japanese = std::strstr(lpCmdLine, "japanese") != NULL;
  HWND hwnd = CreateWindowExA(
      0, "EmptyWindow", japanese ? texts::kTitle : "empty", WS_OVERLAPPEDWINDOW,
      CW_USEDEFAULT, CW_USEDEFAULT, 550, 365, NULL, NULL, hInstance, NULL);
  if (withList)
    CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, NULL,
                    WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 68, 534, 258, hwnd,
                    NULL, hInstance, NULL);
  ShowWindow(hwnd, nCmdShow);
  MSG msg;
  while (GetMessageA(&msg, NULL, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}
