// The entry box's reading of any text, against the C library's strtoll.
#include "controls/DecimalText.h"

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const char* s = text.c_str(); // up to the first zero byte, as a window text
  int amount = 12345;
  const decimal::ParseResult got = decimal::ReadAmountText(s, &amount);

  char* end = 0;
  errno = 0;
  const long long expected = std::strtoll(s, &end, 10);
  if (end == s) {
    if (got != decimal::kNoDigits || amount != 0)
      std::abort();
  } else if (errno == ERANGE || expected < INT_MIN || expected > INT_MAX) {
    if (got != decimal::kOutOfRange || amount != 0)
      std::abort();
  } else if (got != decimal::kNumber || amount != expected) {
    std::abort();
  }
  return 0;
}
