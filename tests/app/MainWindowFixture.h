// The main window, created as WinMain creates it, for the in-process tests.
#pragma once

#include "app/Globals.h"
#include "app/MainWindow.h"
#include "support/Win32Test.h"

#include <string>
#include <vector>

class MainWindowFixture {
public:
  MainWindowFixture();
  ~MainWindowFixture();
  MainWindowFixture(const MainWindowFixture&) = delete;
  MainWindowFixture& operator=(const MainWindowFixture&) = delete;

  HWND hwnd;

  // Puts text into the entry box as a paste or another program would.
  void Paste(const std::string& text);
  // Types characters into the entry box as the keyboard would.
  void Type(const std::string& keys);
  std::string EntryText() const;
  // Sends WM_COMMAND with wParam; returns the window procedure's answer.
  LRESULT Command(WPARAM wParam);
  // Clicks a button and dispatches what the click posted.
  void Click(int id);
  int Rows() const;
  // Texts of a row, from the label (column 0) to the 1-yen column (11).
  std::vector<std::string> Row(int row) const;
};

// Ends a window's message loop the way it must end, by WM_QUIT; a safety
// timer posts exit code 99 if it does not within a few seconds.
int RunLoopWithSafetyTimer();
