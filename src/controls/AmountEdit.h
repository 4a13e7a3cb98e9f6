// The single-line edit control in which the user types the amount.
#pragma once

#include <windows.h>

// A short-lived wrapper: it is built for one message or command, given the
// control's handle, and dropped again; dropping it leaves the control alone.
class AmountEdit {
public:
  // Characters that the user can type or paste into the box.
  static const int kTextLimit = 10;

  AmountEdit();
  virtual ~AmountEdit();

  // Creates the edit control as a child of hWndParent; the handle, null on
  // failure, is stored in m_hWnd.
  void Create(HINSTANCE hInstance, HWND hWndParent);
  void Destroy();
  // Limits the box to kTextLimit characters and empties it.
  void Reset();
  // Reads the box's whole text. 1: the amount is in m_value. 0: m_value is 0;
  // a text without a number has been replaced by "0", while a number that
  // does not fit 32 bits is left in the box as typed.
  int Read();

  HWND m_hWnd;
  int m_value;
};
