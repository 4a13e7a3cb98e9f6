#include "controls/ButtonBar.h"

#include "app/Globals.h"
#include "app/Texts.h"

namespace {

// Buttons touch one another, left to right, on the entry box's row.
const int kTop = 21;
const int kWidth = 72;
const int kHeight = 24;

HWND CreateButton(HINSTANCE hInstance, HWND hWndParent, const char* label,
                  int x, int id) {
  return CreateWindowExA(0,                    // no extended style
                         "BUTTON",             // predefined button class
                         label,                // CP932 label
                         WS_CHILD | WS_VISIBLE // child on the main window,
                             | WS_TABSTOP      // reachable by Tab
                             | BS_PUSHBUTTON,  // not a default button
                         x, kTop,              // position
                         kWidth, kHeight,      // size
                         hWndParent,           // parent
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                         hInstance, // instance
                         NULL);     // no creation data
}

void SetGuiFont(HWND hButton) {
  SendMessageA(hButton, WM_SETFONT,
               reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), 1);
}

} // namespace

ButtonBar::ButtonBar()
    : m_hInputButton(NULL), m_hCloseButton(NULL), m_hTotalButton(NULL) {}

void ButtonBar::Create(HINSTANCE hInstance, HWND hWndParent) {
  m_hInputButton =
      CreateButton(hInstance, hWndParent, texts::kInputButton, 136, IDC_INPUT);
  m_hCloseButton =
      CreateButton(hInstance, hWndParent, texts::kCloseButton, 208, IDC_CLOSE);
  m_hTotalButton =
      CreateButton(hInstance, hWndParent, texts::kTotalButton, 280, IDC_TOTAL);
  SetGuiFont(m_hInputButton);
  SetGuiFont(m_hCloseButton);
  SetGuiFont(m_hTotalButton);
}

void ButtonBar::Destroy() {
  DestroyWindow(m_hInputButton);
  DestroyWindow(m_hCloseButton);
  DestroyWindow(m_hTotalButton);
}
