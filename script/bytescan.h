// Scans of whole blocks of bytes: where a text's lines end, where a needle's copies are, and
// where its first byte outside ASCII is.
// The fast path (bytescan.cpp) compares 16 or 32 bytes at a time, AVX2 where the processor has
// it and SSE2 (every x86-64) otherwise; the plain path (bytescanplain.cpp) is the reference it
// must agree with on every input, which the fuzz target holds.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace nosk::script {

// Appends `base` plus the offset just past each LF of `bytes` to `ends`, in order.
void AppendLineEnds(std::string_view bytes, std::size_t base, std::vector<std::size_t>& ends);

// Where the first copy of `needle` at or after `from` starts in `bytes`; npos when there is none
// (and when `from` is past the end). An empty needle is found at `from`.
std::size_t FindBytes(std::string_view bytes, std::string_view needle, std::size_t from);

// Where the first byte of 0x80 and above at or after `from` is in `bytes`; npos when there is none.
std::size_t FirstNonAscii(std::string_view bytes, std::size_t from);

// The fast path at 16 bytes a time, whatever the processor has: for the fuzz target to hold it
// to the plain one on a processor that would take the 32-byte path.
namespace sse2 {
void AppendLineEnds(std::string_view bytes, std::size_t base, std::vector<std::size_t>& ends);
std::size_t FindBytes(std::string_view bytes, std::string_view needle, std::size_t from);
std::size_t FirstNonAscii(std::string_view bytes, std::size_t from);
}  // namespace sse2

// The same, with the C library's memchr and memmem.
namespace plain {
void AppendLineEnds(std::string_view bytes, std::size_t base, std::vector<std::size_t>& ends);
std::size_t FindBytes(std::string_view bytes, std::string_view needle, std::size_t from);
std::size_t FirstNonAscii(std::string_view bytes, std::size_t from);
}  // namespace plain

}  // namespace nosk::script
