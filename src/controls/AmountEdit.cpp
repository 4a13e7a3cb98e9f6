#include "controls/AmountEdit.h"

#include "app/Globals.h"
#include "controls/AmountText.h"

#include <string>

AmountEdit::AmountEdit() : m_hWnd(NULL), m_value(0) {}

AmountEdit::~AmountEdit() {}

void AmountEdit::Create(HINSTANCE hInstance, HWND hWndParent) {
  m_hWnd = CreateWindowExA(
      WS_EX_CLIENTEDGE,                    // sunken edge
      "EDIT",                              // predefined edit class
      NULL,                                // no text
      WS_CHILD | WS_VISIBLE | WS_TABSTOP   // child on the main window,
          | ES_NUMBER | ES_RIGHT,          // digits only, right-aligned
      12, 21,                              // left of the button row
      120, 24,                             // width, height
      hWndParent,                          // parent
      reinterpret_cast<HMENU>(IDC_AMOUNT), // control ID
      hInstance,                           // instance
      NULL);                               // no creation data
  SendMessageA(m_hWnd, WM_SETFONT,
               reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), 1);
}

void AmountEdit::Destroy() { DestroyWindow(m_hWnd); }

void AmountEdit::Reset() {
  SendMessageA(m_hWnd, EM_LIMITTEXT, kTextLimit, 0);
  SendMessageA(m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
}

int AmountEdit::Read() {
  // The limit holds only for typing and pasting: another program may have
  // set a longer text, which is read whole so that no digit is lost.
  const LRESULT length = SendMessageA(m_hWnd, WM_GETTEXTLENGTH, 0, 0);
  std::string text(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
  SendMessageA(m_hWnd, WM_GETTEXT, text.size(),
               reinterpret_cast<LPARAM>(&text[0]));
  switch (ReadAmountText(text.c_str(), &m_value)) {
  case decimal::kNumber:
    return 1;
  case decimal::kNoDigits:
    SendMessageA(m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("0"));
    return 0;
  case decimal::kOutOfRange:
    break;
  }
  return 0;
}
