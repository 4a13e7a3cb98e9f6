// The decimal text of any 64-bit value and the reading of a column's text
// back: every value survives the round trip, and the reading of any text
// follows atoi's rules, 64 bits wide, as strtoll does.
#include "controls/DecimalText.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size >= sizeof(long long)) {
    long long v;
    std::memcpy(&v, data, sizeof v);
    char text[decimal::kInt64TextSize + 8];
    std::memset(text, 'x', sizeof text);
    const int length = decimal::Format(v, text);
    char expected[32];
    std::snprintf(expected, sizeof expected, "%lld", v);
    if (std::strcmp(text, expected) != 0 ||
        length != static_cast<int>(std::strlen(expected)) ||
        length >= decimal::kInt64TextSize)
      std::abort();
    long long back = 0;
    if (!decimal::ReadLikeAtoi(text, &back) || back != v)
      std::abort();
  }

  const std::string column(reinterpret_cast<const char*>(data), size);
  const char* s = column.c_str();
  long long value = 7;
  const bool read = decimal::ReadLikeAtoi(s, &value);
  char* end = 0;
  errno = 0;
  const long long expected = std::strtoll(s, &end, 10);
  if (end == s) {
    if (!read || value != 0)
      std::abort();
  } else if (errno == ERANGE) {
    if (read || value != 7)
      std::abort();
  } else if (!read || value != expected) {
    std::abort();
  }

  long long sum = 0, b = 0;
  if (size >= 2 * sizeof(long long)) {
    std::memcpy(&sum, data, sizeof sum);
    std::memcpy(&b, data + sizeof sum, sizeof b);
    const long long before = sum;
    const __int128 exact = static_cast<__int128>(sum) + b;
    const bool fits = exact >= INT64_MIN && exact <= INT64_MAX;
    if (decimal::AddChecked(&sum, b) != fits)
      std::abort();
    if (fits ? sum != static_cast<long long>(exact) : sum != before)
      std::abort();
  }
  return 0;
}
