#include "controls/DecimalText.h"

namespace decimal {

namespace {

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' ||
         c == '\r';
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

} // namespace

ParseResult ParseLeading(const char* text, long long minimum, long long maximum,
                         long long* value) {
  const char* p = text;
  while (IsSpace(*p))
    ++p;
  bool negative = false;
  if (*p == '+' || *p == '-')
    negative = *p++ == '-';
  if (!IsDigit(*p))
    return kNoDigits;
  // The magnitude is gathered unsigned, so that the lowest value, whose
  // magnitude has no signed counterpart, needs no special case.
  const unsigned long long limit =
      negative
          ? (minimum < 0 ? 0ull - static_cast<unsigned long long>(minimum)
                         : 0ull)
          : (maximum > 0 ? static_cast<unsigned long long>(maximum) : 0ull);
  unsigned long long magnitude = 0;
  for (; IsDigit(*p); ++p) {
    const unsigned digit = static_cast<unsigned>(*p - '0');
    if (magnitude > limit / 10 ||
        (magnitude == limit / 10 && digit > limit % 10))
      return kOutOfRange;
    magnitude = magnitude * 10 + digit;
  }
  // For a negative number, 0 - magnitude is its two's-complement pattern.
  const long long v = negative ? static_cast<long long>(0ull - magnitude)
                               : static_cast<long long>(magnitude);
  if (v < minimum || v > maximum)
    return kOutOfRange;
  *value = v;
  return kNumber;
}

ParseResult ReadAmountText(const char* text, int* amount) {
  long long value = 0;
  const ParseResult result =
      ParseLeading(text, -2147483647LL - 1, 2147483647LL, &value);
  *amount = result == kNumber ? static_cast<int>(value) : 0;
  return result;
}

bool ReadLikeAtoi(const char* text, long long* value) {
  const long long kMax = 9223372036854775807LL;
  switch (ParseLeading(text, -kMax - 1, kMax, value)) {
  case kNumber:
    return true;
  case kNoDigits:
    *value = 0;
    return true;
  case kOutOfRange:
    break;
  }
  return false;
}

int Format(long long value, char* out) {
  char reversed[kInt64TextSize];
  unsigned long long magnitude =
      value < 0 ? 0ull - static_cast<unsigned long long>(value)
                : static_cast<unsigned long long>(value);
  int n = 0;
  do {
    reversed[n++] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  int length = 0;
  if (value < 0)
    out[length++] = '-';
  while (n > 0)
    out[length++] = reversed[--n];
  out[length] = '\0';
  return length;
}

bool AddChecked(long long* sum, long long b) {
  const long long kMax = 9223372036854775807LL;
  const long long kMin = -kMax - 1;
  if ((b > 0 && *sum > kMax - b) || (b < 0 && *sum < kMin - b))
    return false;
  *sum += b;
  return true;
}

} // namespace decimal
