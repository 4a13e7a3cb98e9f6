// Control IDs and the program-wide globals.
#pragma once

#include <windows.h>

// Control IDs, passed as the menu argument of CreateWindowExA and returned
// in the low word of WM_COMMAND's wParam.
#define IDC_AMOUNT 101  // amount entry box
#define IDC_INPUT 201   // Input button
#define IDC_CLOSE 202   // Close button
#define IDC_TOTAL 203   // Total button
#define IDC_RESULTS 301 // result list

// Null until WinMain and WM_CREATE set them; never cleared afterwards.
extern HINSTANCE g_hInstance; // the module instance
extern HWND g_hAmountEdit;    // the amount entry box
extern HWND g_hResultList;    // the result list
