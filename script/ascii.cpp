#include "script/ascii.h"

namespace nosk::script {

std::string HexText(std::string_view bytes, HexCase letters, char separator) {
  const char* digits = letters == HexCase::Upper ? "0123456789ABCDEF" : "0123456789abcdef";
  std::string hex;
  hex.reserve(bytes.size() * 3);
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (separator != 0 && !hex.empty()) hex.push_back(separator);
    hex.push_back(digits[byte >> 4]);
    hex.push_back(digits[byte & 15]);
  }
  return hex;
}

}  // namespace nosk::script
