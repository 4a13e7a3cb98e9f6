// kinshu: breaks amounts of yen into coins and notes.
#include "app/Globals.h"
#include "app/MainWindow.h"

#include <commctrl.h>

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance,
                   LPSTR lpCmdLine, int nCmdShow) {
  (void)hPrevInstance; // always NULL on Win32
  (void)lpCmdLine;     // the program takes no arguments: they are ignored
  g_hInstance = hInstance;

  // The result list is a list view: its class must exist before WM_CREATE.
  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&icc);

  if (RegisterMainWindowClass(hInstance) == 0)
    return 1;
  HWND hwnd = CreateMainWindow(hInstance);
  if (hwnd == NULL)
    return 1;
  ShowWindow(hwnd, nCmdShow);
  return RunMessageLoop();
}
