// The value of one hexadecimal digit, for the parsers of stored and typed text.
#pragma once

namespace dovrik {

// 0 to 15 for a digit of either case, -1 for any other character.
inline int hexDigitValue(char c) {
  if (c >= '0' && c <= '9')
    return c - '0';
  if (c >= 'a' && c <= 'f')
    return c - 'a' + 10;
  if (c >= 'A' && c <= 'F')
    return c - 'A' + 10;
  return -1;
}

}  // namespace dovrik
