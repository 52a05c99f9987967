// The ASCII characters the engine reads and writes: digits and hexadecimal.
#pragma once

#include <string>
#include <string_view>

namespace nosk::script {

inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The value of a lower-case hexadecimal digit, or -1.
inline int HexDigitValue(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

enum class HexCase { Lower, Upper };

// The bytes in hexadecimal, two digits each, with `separator` between bytes when it is not 0:
// "7f3a9c0e", or "98 41".
std::string HexText(std::string_view bytes, HexCase letters = HexCase::Lower, char separator = 0);

}  // namespace nosk::script
