// The report-style list view that shows and keeps every breakdown.
#pragma once

#include "controls/DecimalText.h"

#include <windows.h>

// One object is both a short-lived handle on the list view and the
// in-memory form of one row: an amount and its ten denomination counts,
// with their decimal text. The list view itself is the only store of rows;
// dropping the object leaves the control and its rows alone.
//
// Columns: the row label, the amount, then the counts from 10,000 yen down
// to 1 yen, so that sub-item s (1 to 11) holds cell 11 - s.
class ResultList {
public:
  static const int kDenominations = 10;
  static const int kCells = kDenominations + 1;
  // Cell of the amount; cells 0 to 9 hold the counts, low to high.
  static const int kAmountCell = 10;
  // Every cell holds the whole text of any 64-bit value, and one character
  // more: a cell read back that fills it held a longer text.
  static const int kCellSize = decimal::kInt64TextSize + 1;
  // The list starts below the row of the entry box and the buttons.
  static const int kTop = 68;

  ResultList();
  virtual ~ResultList();

  // Creates the list view under the button row, filling the rest of the
  // parent's client area, with its twelve columns.
  void Create(HINSTANCE hInstance, HWND hWndParent);
  // Refits the list to the parent's client area.
  void Resize(HWND hWndParent);
  void Destroy();
  // Formats m_amount and m_counts and appends them as a row: numbered for a
  // row kind of 1, labelled "SUM" for 0. 1 when the row was appended.
  int WriteRow(int numbered);
  // Adds every row of the list into m_amount and m_counts, marking each row
  // selected as it goes. 0 when a row could not be selected, a column held
  // a text longer than any number the list writes or no 64-bit number, or a
  // sum would leave the 64-bit range.
  int Total();

  void InsertColumns();
  // Inserts the formatted cells as row index; 0 when the list refused it.
  int InsertRow(int index);
  // Copies the texts of row index back into the cells; a longer text than a
  // cell holds is cut short and fills it.
  void ReadRow(int index);
  // Finds the first selected row; 0 when the list is empty or has none.
  int FindSelection();

  char m_cells[kCells][kCellSize];
  int m_itemCount;
  int m_selected;
  int m_numbered;
  HWND m_hWnd;
  long long m_amount;
  long long m_counts[kDenominations];
};
