// The main window: its class, its creation, its procedure and the loop that
// feeds it. WinMain strings these together; the tests use them one by one.
#pragma once

#include <windows.h>

// Class name of the main window.
extern const char kMainWindowClass[];

// Registers the main window's class; 0 on failure.
ATOM RegisterMainWindowClass(HINSTANCE hInstance);
// Creates the (still hidden) main window with its controls; NULL on failure.
HWND CreateMainWindow(HINSTANCE hInstance);
// Dispatches messages until WM_QUIT and returns its exit code, or 1 when
// GetMessageA fails.
int RunMessageLoop();

LRESULT CALLBACK MainWndProc(HWND hwnd, UINT uMsg, WPARAM wParam,
                             LPARAM lParam);
