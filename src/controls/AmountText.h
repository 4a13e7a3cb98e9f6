// How the entry box's text becomes an amount, free of the platform.
#pragma once

#include "controls/DecimalText.h"

// Reads the amount at the start of the entry box's text: optional white
// space, an optional sign, then digits; whatever follows them is ignored.
// kNumber: *amount holds it. kNoDigits: the text holds no number.
// kOutOfRange: the number does not fit a signed 32-bit amount.
// *amount is 0 unless the result is kNumber.
decimal::ParseResult ReadAmountText(const char* text, int* amount);
