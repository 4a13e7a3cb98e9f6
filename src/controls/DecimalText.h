// The numbers that the entry box and the result list hold: their decimal
// text, read and written, and the checked addition that totals them. Free of
// the platform, so that it is tested natively as well.
#pragma once

namespace decimal {

// Room for the text of any 64-bit value: a sign, 19 digits and the zero.
const int kInt64TextSize = 21;

enum ParseResult {
  kNumber,     // digits were found and their value is within the bounds
  kNoDigits,   // no digit after the optional white space and sign
  kOutOfRange, // digits were found but their value is outside the bounds
};

// Reads the decimal number at the start of text as strtol does in the "C"
// locale: leading white space (blank, tab, line feed, vertical tab, form
// feed, carriage return), an optional sign, then the digits up to the first
// other character. Sets *value only for kNumber.
ParseResult ParseLeading(const char* text, long long minimum, long long maximum,
                         long long* value);

// Reads the amount at the start of the entry box's text: optional white
// space, an optional sign, then digits; whatever follows them is ignored.
// kNumber: *amount holds it. kNoDigits: the text holds no number.
// kOutOfRange: the number does not fit a signed 32-bit amount.
// *amount is 0 unless the result is kNumber.
ParseResult ReadAmountText(const char* text, int* amount);

// Reads a number back from a result-list column with the rules of atoi, but
// 64 bits wide: text without digits is 0. Returns false, leaving *value
// alone, when the number does not fit 64 bits.
bool ReadLikeAtoi(const char* text, long long* value);

// Writes the decimal text of value into out (kInt64TextSize bytes): a "-"
// for a negative value, no leading zeros, no separators, "0" for zero.
// Returns the number of characters written, without the zero.
int Format(long long value, char* out);

// Adds b to *sum unless the result would leave the 64-bit range; returns
// false, leaving *sum alone, when it would.
bool AddChecked(long long* sum, long long b);

} // namespace decimal
