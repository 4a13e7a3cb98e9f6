#include "controls/AmountText.h"

decimal::ParseResult ReadAmountText(const char* text, int* amount) {
  long long value = 0;
  const decimal::ParseResult result =
      decimal::ParseLeading(text, -2147483647LL - 1, 2147483647LL, &value);
  *amount = result == decimal::kNumber ? static_cast<int>(value) : 0;
  return result;
}
