#include "controls/AmountEdit.h"

#include "app/Globals.h"
#include "controls/DecimalText.h"

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
  // set a longer text, which is read whole so that no digit is lost. A text
  // that fits the stack buffer is read there; a longer one in a heap block
  // of its own size, freed before returning.
  char small[64];
  const LRESULT length = SendMessageA(m_hWnd, WM_GETTEXTLENGTH, 0, 0);
  const SIZE_T size = static_cast<SIZE_T>(length > 0 ? length : 0) + 1;
  char* text = size <= sizeof small
                   ? small
                   : static_cast<char*>(HeapAlloc(GetProcessHeap(), 0, size));
  if (text == NULL)
    return 0; // no memory for the text: nothing read, the box as it was
  text[0] = '\0';
  SendMessageA(m_hWnd, WM_GETTEXT, size, reinterpret_cast<LPARAM>(text));
  const decimal::ParseResult reading = decimal::ReadAmountText(text, &m_value);
  if (text != small)
    HeapFree(GetProcessHeap(), 0, text);
  switch (reading) {
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
