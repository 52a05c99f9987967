// The reference scans: the C library's, with no assumption about the processor.
#include <cstring>

#include "script/bytescan.h"

namespace nosk::script::plain {

void AppendLineEnds(std::string_view bytes, std::size_t base, std::vector<std::size_t>& ends) {
  const char* const begin = bytes.data();
  const char* const end = begin + bytes.size();
  for (const char* at = begin; at < end;) {
    const void* lineFeed = std::memchr(at, '\n', static_cast<std::size_t>(end - at));
    if (lineFeed == nullptr) break;
    at = static_cast<const char*>(lineFeed) + 1;
    ends.push_back(base + static_cast<std::size_t>(at - begin));
  }
}

std::size_t FindBytes(std::string_view bytes, std::string_view needle, std::size_t from) {
  if (from > bytes.size()) return std::string_view::npos;
  if (needle.empty()) return from;
  const void* found =
      ::memmem(bytes.data() + from, bytes.size() - from, needle.data(), needle.size());
  return found == nullptr
             ? std::string_view::npos
             : static_cast<std::size_t>(static_cast<const char*>(found) - bytes.data());
}

std::size_t FirstNonAscii(std::string_view bytes, std::size_t from) {
  for (std::size_t i = from; i < bytes.size(); ++i) {
    if (static_cast<unsigned char>(bytes[i]) >= 0x80) return i;
  }
  return std::string_view::npos;
}

}  // namespace nosk::script::plain
