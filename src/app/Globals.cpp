#include "app/Globals.h"

HINSTANCE g_hInstance = NULL;
HWND g_hAmountEdit = NULL;
HWND g_hResultList = NULL;
