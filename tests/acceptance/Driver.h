// Drives a running kinshu.exe from outside its process, as a user or another
// program would: finds its window, types and pastes into the entry box,
// presses the buttons, reads the list back from the program's memory, and
// answers its message boxes.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace driver {

// The program in KINSHU_PROGRAM (CTest sets it to the one the build made), or
// else kinshu.exe beside the folder of the running program: the layout of a
// single-configuration build folder (build/windows/kinshu.exe and
// build/windows/tests/*.exe).
std::string DefaultProgramPath();

// Reads the text of one cell of a list view in another process: the list
// view writes it through pointers in its own process, so the item record and
// the text buffer are placed there.
std::string ReadRemoteCell(HANDLE process, HWND list, int row, int column);

// A message box of the program, as the driver answered it.
struct Box {
  std::string caption;
  std::string text;
  bool ownedByMain;
};

// The boxes as "caption: text" lines, for a failed check to print; "" for
// none.
std::string Describe(const std::vector<Box>& boxes);

class Kinshu {
public:
  // Starts the program with the given command-line arguments and waits for
  // its main window; ok() tells whether it appeared.
  explicit Kinshu(const std::string& arguments = "",
                  const std::string& program = DefaultProgramPath());
  // Ends a program that is still running.
  ~Kinshu();
  Kinshu(const Kinshu&) = delete;
  Kinshu& operator=(const Kinshu&) = delete;

  bool ok() const { return m_main != NULL; }
  HWND main() const { return m_main; }
  HWND control(int id) const { return GetDlgItem(m_main, id); }

  // The title as the program's code page made it: its ANSI bytes as this
  // process's code page gives them back, and as the system holds it.
  std::string Title() const;
  std::wstring UnicodeTitle() const;
  std::string EntryText() const;
  // Sets the entry box's text, as a paste or another program does.
  void Paste(const std::string& text);
  // Sends the characters one by one, as the keyboard does.
  void Type(const std::string& keys);
  // Clicks a button and waits until the program has handled the click,
  // answering every message box it shows meanwhile with OK.
  void Click(int id);
  // Clicks a button at most `most` times, until a click shows a message
  // box; the boxes of that click, or none.
  std::vector<Box> ClickUntilBox(int id, int most);
  // The message boxes answered since the last call.
  std::vector<Box> TakeBoxes();

  int Rows() const;
  std::string Cell(int row, int column) const;
  // Texts of a row from its label (column 0) to the 1-yen column (11).
  std::vector<std::string> Row(int row) const;

  // Waits for the process to end; its exit code, or -1 when it did not end
  // within timeoutMs.
  int WaitForExit(DWORD timeoutMs = 10000);

private:
  void AnswerBoxes();

  PROCESS_INFORMATION m_process;
  HWND m_main;
  std::vector<Box> m_boxes;
};

} // namespace driver
