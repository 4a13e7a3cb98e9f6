// The row of push buttons: Input, Close and Total.
#pragma once

#include <windows.h>

// Creates the three buttons on the main window. The object may be dropped
// right after Create: the buttons belong to the main window. The command
// handlers of the Input and Total buttons are operations of this class too;
// they use none of its fields.
class ButtonBar {
public:
  ButtonBar();

  void Create(HINSTANCE hInstance, HWND hWndParent);
  // Destroys the three buttons; the fields keep the old handles.
  void Destroy();

  // Reads the entry box, breaks the amount down and appends it to the list
  // as a numbered row, then empties the box. 1 on success, else 0.
  int OnInputCommand(HWND hAmountEdit, HWND hResultList);
  // Adds up every row of the list and appends the sums as a "SUM" row.
  // 1 on success, else 0.
  int OnTotalCommand(HWND hResultList);

  HWND m_hInputButton;
  HWND m_hCloseButton;
  HWND m_hTotalButton;
};
