#include "controls/ResultList.h"

#include "app/Globals.h"
#include "app/Texts.h"

#include <commctrl.h>

#include <cstring>

namespace {

const int kLabelColumnWidth = 40;
const int kNumberColumnWidth = 60;

// Headers of columns 1 to 11: the amount, then 10,000 down to 1 yen.
const char* const kHeaders[ResultList::kCells] = {
    texts::kAmountHeader,   texts::kTenThousandYen, texts::kFiveThousandYen,
    texts::kTwoThousandYen, texts::kThousandYen,    texts::kFiveHundredYen,
    texts::kHundredYen,     texts::kFiftyYen,       texts::kTenYen,
    texts::kFiveYen,        texts::kOneYen};

struct Placement {
  int x, y, width, height;
};

// The list fills the client area below the button row; a client area lower
// than the row (a minimised window) leaves it no height rather than a
// negative one.
Placement ListPlacement(HWND hWndParent) {
  RECT client = {0, 0, 0, 0};
  GetClientRect(hWndParent, &client);
  const int height = client.bottom - client.top - ResultList::kTop;
  const Placement p = {client.left, client.top + ResultList::kTop,
                       client.right - client.left, height > 0 ? height : 0};
  return p;
}

// The item record that writes or reads the text of one sub-item of a row
// from or into a cell. A list view cuts a longer text short to the cell,
// with a closing zero on Windows and without one under Wine: the reader puts
// its own zero in the cell's last byte.
LVITEMA CellItem(int row, int subItem, char* cell) {
  LVITEMA item = {};
  item.mask = LVIF_TEXT;
  item.iItem = row;
  item.iSubItem = subItem;
  item.pszText = cell;
  item.cchTextMax = ResultList::kCellSize;
  return item;
}

// Whether a cell read back holds a text longer than any number the list
// writes, and so was cut short.
bool IsCutShort(const char* cell) {
  return std::strlen(cell) >= static_cast<size_t>(decimal::kInt64TextSize);
}

} // namespace

ResultList::ResultList()
    : m_itemCount(0), m_selected(0), m_numbered(0), m_hWnd(NULL), m_amount(0),
      m_counts() {
  std::memset(m_cells, 0, sizeof m_cells);
}

ResultList::~ResultList() {}

void ResultList::Create(HINSTANCE hInstance, HWND hWndParent) {
  const Placement p = ListPlacement(hWndParent);
  m_hWnd = CreateWindowExA(
      WS_EX_CLIENTEDGE | WS_EX_NOPARENTNOTIFY, // sunken edge, quiet parent
      WC_LISTVIEWA,                            // "SysListView32"
      NULL,                                    // no text
      WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP |
          LVS_SHOWSELALWAYS | LVS_REPORT,   // report view, several selectable
      p.x, p.y,                             // below the button row
      p.width, p.height,                    // the rest of the client area
      hWndParent,                           // parent
      reinterpret_cast<HMENU>(IDC_RESULTS), // control ID
      hInstance,                            // instance
      NULL);                                // no creation data
  if (m_hWnd != NULL) {
    const LRESULT style =
        SendMessageA(m_hWnd, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0);
    SendMessageA(m_hWnd, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                 style | LVS_EX_FULLROWSELECT);
  }
  InsertColumns();
  SendMessageA(m_hWnd, WM_SETFONT,
               reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), 1);
}

void ResultList::Resize(HWND hWndParent) {
  const Placement p = ListPlacement(hWndParent);
  MoveWindow(m_hWnd, p.x, p.y, p.width, p.height, TRUE);
}

void ResultList::Destroy() { DestroyWindow(m_hWnd); }

void ResultList::InsertColumns() {
  LVCOLUMNA label = {};
  label.mask = LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
  label.cx = kLabelColumnWidth;
  SendMessageA(m_hWnd, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&label));
  for (int column = 1; column <= kCells; ++column) {
    LVCOLUMNA c = {};
    c.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    c.fmt = LVCFMT_RIGHT;
    c.cx = kNumberColumnWidth;
    c.pszText = const_cast<char*>(kHeaders[column - 1]);
    c.iSubItem = column;
    SendMessageA(m_hWnd, LVM_INSERTCOLUMNA, column,
                 reinterpret_cast<LPARAM>(&c));
  }
}

int ResultList::WriteRow(int numbered) {
  m_numbered = numbered;
  decimal::Format(m_amount, m_cells[kAmountCell]);
  for (int k = 0; k < kDenominations; ++k)
    decimal::Format(m_counts[k], m_cells[k]);
  m_itemCount = static_cast<int>(SendMessageA(m_hWnd, LVM_GETITEMCOUNT, 0, 0));
  return InsertRow(m_itemCount);
}

int ResultList::InsertRow(int index) {
  char numberText[decimal::kInt64TextSize];
  const char* label = texts::kSumLabel;
  if (m_numbered != 0) {
    ++m_itemCount;
    decimal::Format(m_itemCount, numberText);
    label = numberText;
  }
  LVITEMA item = {};
  item.mask = LVIF_TEXT;
  item.iItem = index;
  item.pszText = const_cast<char*>(label); // only read
  if (SendMessageA(m_hWnd, LVM_INSERTITEMA, 0,
                   reinterpret_cast<LPARAM>(&item)) < 0)
    return 0;
  for (int s = 1; s <= kCells; ++s) {
    LVITEMA sub = CellItem(index, s, m_cells[kCells - s]);
    SendMessageA(m_hWnd, LVM_SETITEMA, s, reinterpret_cast<LPARAM>(&sub));
  }
  return 1;
}

void ResultList::ReadRow(int index) {
  for (int s = 1; s <= kCells; ++s) {
    LVITEMA sub = CellItem(index, s, m_cells[kCells - s]);
    SendMessageA(m_hWnd, LVM_GETITEMTEXTA, index,
                 reinterpret_cast<LPARAM>(&sub));
    m_cells[kCells - s][kCellSize - 1] = '\0';
  }
}

int ResultList::FindSelection() {
  m_itemCount = static_cast<int>(SendMessageA(m_hWnd, LVM_GETITEMCOUNT, 0, 0));
  if (m_itemCount <= 0)
    return 0;
  const LRESULT found =
      SendMessageA(m_hWnd, LVM_GETNEXTITEM, static_cast<WPARAM>(-1),
                   MAKELPARAM(LVNI_SELECTED, 0));
  if (found == -1)
    return 0;
  m_selected = static_cast<int>(found);
  return 1;
}

int ResultList::Total() {
  m_itemCount = static_cast<int>(SendMessageA(m_hWnd, LVM_GETITEMCOUNT, 0, 0));
  if (m_itemCount <= 0)
    return 1;
  for (int i = 0; i < m_itemCount; ++i) {
    LVITEMA mark = {};
    mark.mask = LVIF_STATE;
    mark.iItem = i;
    mark.state = LVIS_SELECTED;
    mark.stateMask = LVIS_SELECTED;
    SendMessageA(m_hWnd, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&mark));
    if (FindSelection() == 0)
      return 0;
    ReadRow(i);
    for (int c = 0; c < kCells; ++c)
      if (IsCutShort(m_cells[c]))
        return 0;
    long long value = 0;
    if (!decimal::ReadLikeAtoi(m_cells[kAmountCell], &value) ||
        !decimal::AddChecked(&m_amount, value))
      return 0;
    for (int k = 0; k < kDenominations; ++k) {
      if (!decimal::ReadLikeAtoi(m_cells[k], &value) ||
          !decimal::AddChecked(&m_counts[k], value))
        return 0;
    }
  }
  return 1;
}
