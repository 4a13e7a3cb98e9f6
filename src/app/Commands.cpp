// The Input and Total commands. Each builds the wrappers it needs on its own
// stack, gives them the handles of the existing controls, and lets them go
// before it returns; the controls keep the state.
#include "calc/DenominationCalculator.h"
#include "controls/AmountEdit.h"
#include "controls/ButtonBar.h"
#include "controls/ResultList.h"

// The row takes the calculator's counts index for index.
static_assert(ResultList::kDenominations ==
                  DenominationCalculator::kDenominations,
              "a row holds one count for each denomination of the calculator");

int ButtonBar::OnInputCommand(HWND hAmountEdit, HWND hResultList) {
  AmountEdit edit;
  edit.m_hWnd = hAmountEdit;
  if (edit.Read() == 0)
    return 0;
  const int amount = edit.m_value;

  DenominationCalculator calc;
  if (calc.Run(amount) == 0)
    return 0;

  ResultList row;
  row.m_hWnd = hResultList;
  row.m_amount = amount;
  for (int k = 0; k < DenominationCalculator::kDenominations; ++k)
    row.m_counts[k] = calc.m_counts[k];
  if (row.WriteRow(1) == 0)
    return 0;

  // Emptied only once the row is in the list, ready for the next amount.
  edit.Reset();
  return 1;
}

int ButtonBar::OnTotalCommand(HWND hResultList) {
  ResultList sums;
  sums.m_hWnd = hResultList;
  if (sums.Total() == 0)
    return 0;
  if (sums.WriteRow(0) == 0)
    return 0;
  return 1;
}
