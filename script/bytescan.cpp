// The fast scans: 64 bytes compared per step, as SSE2 (four 16-byte compares) or AVX2 (two
// 32-byte compares), the result one bit per byte; the bits set are then visited one by one. The
// last bytes, fewer than a step, are left to the plain scans.
#include "script/bytescan.h"

#include <cstdint>
#include <cstring>

#if defined(__x86_64__)
#include <immintrin.h>
#define NOSK_WIDE_SCANS 1
#endif

namespace nosk::script {

#if NOSK_WIDE_SCANS
namespace {

constexpr std::size_t kStep = 64;

// The offset of the lowest set bit, and the mask without it.
inline std::size_t LowestBit(std::uint64_t mask) {
  return static_cast<std::size_t>(__builtin_ctzll(mask));
}
inline std::uint64_t WithoutLowestBit(std::uint64_t mask) { return mask & (mask - 1); }

struct Sse2 {
  // Bit i set where p[i] == c, for i below 64.
  static std::uint64_t Equal(const char* p, char c) {
    const __m128i wanted = _mm_set1_epi8(c);
    std::uint64_t mask = 0;
    for (int part = 0; part < 4; ++part) {
      const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * part));
      const auto bits =
          static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, wanted)));
      mask |= static_cast<std::uint64_t>(bits) << (16 * part);
    }
    return mask;
  }
  // Bit i set where p[i] is 0x80 or above, for i below 64.
  static std::uint64_t High(const char* p) {
    std::uint64_t mask = 0;
    for (int part = 0; part < 4; ++part) {
      const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * part));
      mask |= static_cast<std::uint64_t>(static_cast<std::uint32_t>(_mm_movemask_epi8(bytes)))
              << (16 * part);
    }
    return mask;
  }
  // Bit i set where p[i] == first and p[i + gap] == last, for i below 64.
  static std::uint64_t Pair(const char* p, std::size_t gap, char first, char last) {
    const __m128i wantedFirst = _mm_set1_epi8(first);
    const __m128i wantedLast = _mm_set1_epi8(last);
    std::uint64_t mask = 0;
    for (int part = 0; part < 4; ++part) {
      const char* at = p + 16 * part;
      const __m128i head = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
      const __m128i tail = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + gap));
      const __m128i both =
          _mm_and_si128(_mm_cmpeq_epi8(head, wantedFirst), _mm_cmpeq_epi8(tail, wantedLast));
      mask |= static_cast<std::uint64_t>(static_cast<std::uint32_t>(_mm_movemask_epi8(both)))
              << (16 * part);
    }
    return mask;
  }
};

struct Avx2 {
  __attribute__((target("avx2"))) static std::uint64_t Equal(const char* p, char c) {
    const __m256i wanted = _mm256_set1_epi8(c);
    const __m256i low = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
    const __m256i high = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + 32));
    return Join(_mm256_cmpeq_epi8(low, wanted), _mm256_cmpeq_epi8(high, wanted));
  }
  __attribute__((target("avx2"))) static std::uint64_t High(const char* p) {
    return Join(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(p)),
                _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + 32)));
  }
  __attribute__((target("avx2"))) static std::uint64_t Pair(const char* p, std::size_t gap,
                                                            char first, char last) {
    const __m256i wantedFirst = _mm256_set1_epi8(first);
    const __m256i wantedLast = _mm256_set1_epi8(last);
    return Join(Both(p, gap, wantedFirst, wantedLast), Both(p + 32, gap, wantedFirst, wantedLast));
  }
  // 0xFF where `at` holds `first` and `at` + `gap` holds `last`, for 32 bytes.
  __attribute__((target("avx2"))) static __m256i Both(const char* at, std::size_t gap,
                                                      __m256i first, __m256i last) {
    const __m256i head = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at));
    const __m256i tail = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at + gap));
    return _mm256_and_si256(_mm256_cmpeq_epi8(head, first), _mm256_cmpeq_epi8(tail, last));
  }
  __attribute__((target("avx2"))) static std::uint64_t Join(__m256i low, __m256i high) {
    const auto lowBits = static_cast<std::uint32_t>(_mm256_movemask_epi8(low));
    const auto highBits = static_cast<std::uint32_t>(_mm256_movemask_epi8(high));
    return lowBits | (static_cast<std::uint64_t>(highBits) << 32);
  }
};

template <class Wide>
void AppendLineEndsWith(std::string_view bytes, std::size_t base, std::vector<std::size_t>& ends) {
  const char* const data = bytes.data();
  std::size_t i = 0;
  for (; i + kStep <= bytes.size(); i += kStep) {
    for (std::uint64_t mask = Wide::Equal(data + i, '\n'); mask != 0;
         mask = WithoutLowestBit(mask)) {
      ends.push_back(base + i + LowestBit(mask) + 1);
    }
  }
  plain::AppendLineEnds(bytes.substr(i), base + i, ends);
}

// A copy starts where its first and its last byte are; those places are found 64 at a time and
// only they are compared in full. Short needles are the C library's (memchr for one byte).
template <class Wide>
std::size_t FindBytesWith(std::string_view bytes, std::string_view needle, std::size_t from) {
  const std::size_t length = needle.size();
  if (length < 2 || from > bytes.size()) return plain::FindBytes(bytes, needle, from);
  const char* const data = bytes.data();
  const std::size_t gap = length - 1;
  std::size_t i = from;
  // Each step reads up to 64 bytes from i and from i + gap.
  for (; i + gap + kStep <= bytes.size(); i += kStep) {
    for (std::uint64_t mask = Wide::Pair(data + i, gap, needle.front(), needle.back()); mask != 0;
         mask = WithoutLowestBit(mask)) {
      const std::size_t at = i + LowestBit(mask);
      if (std::memcmp(data + at + 1, needle.data() + 1, length - 2) == 0) return at;
    }
  }
  return plain::FindBytes(bytes, needle, i);
}

template <class Wide>
std::size_t FirstNonAsciiWith(std::string_view bytes, std::size_t from) {
  std::size_t i = from;
  for (; i + kStep <= bytes.size(); i += kStep) {
    if (const std::uint64_t mask = Wide::High(bytes.data() + i); mask != 0) {
      return i + LowestBit(mask);
    }
  }
  return plain::FirstNonAscii(bytes, i);
}

// The AVX2 entries: everything they call is inlined into them, so it is built for AVX2 too.
__attribute__((target("avx2"), flatten)) void AppendLineEndsAvx2(std::string_view bytes,
                                                                 std::size_t base,
                                                                 std::vector<std::size_t>& ends) {
  AppendLineEndsWith<Avx2>(bytes, base, ends);
}

__attribute__((target("avx2"), flatten)) std::size_t FindBytesAvx2(std::string_view bytes,
                                                                   std::string_view needle,
                                                                   std::size_t from) {
  return FindBytesWith<Avx2>(bytes, needle, from);
}

__attribute__((target("avx2"), flatten)) std::size_t FirstNonAsciiAvx2(std::string_view bytes,
                                                                       std::size_t from) {
  return FirstNonAsciiWith<Avx2>(bytes, from);
}

bool HasAvx2() {
  static const bool has = __builtin_cpu_supports("avx2");
  return has;
}

}  // namespace

namespace sse2 {
void AppendLineEnds(std::string_view bytes, std::size_t base, std::vector<std::size_t>& ends) {
  AppendLineEndsWith<Sse2>(bytes, base, ends);
}
std::size_t FindBytes(std::string_view bytes, std::string_view needle, std::size_t from) {
  return FindBytesWith<Sse2>(bytes, needle, from);
}
std::size_t FirstNonAscii(std::string_view bytes, std::size_t from) {
  return FirstNonAsciiWith<Sse2>(bytes, from);
}
}  // namespace sse2

void AppendLineEnds(std::string_view bytes, std::size_t base, std::vector<std::size_t>& ends) {
  if (HasAvx2()) return AppendLineEndsAvx2(bytes, base, ends);
  sse2::AppendLineEnds(bytes, base, ends);
}

std::size_t FindBytes(std::string_view bytes, std::string_view needle, std::size_t from) {
  return HasAvx2() ? FindBytesAvx2(bytes, needle, from) : sse2::FindBytes(bytes, needle, from);
}

std::size_t FirstNonAscii(std::string_view bytes, std::size_t from) {
  return HasAvx2() ? FirstNonAsciiAvx2(bytes, from) : sse2::FirstNonAscii(bytes, from);
}

#else  // no wide compares on this processor: the plain scans are the fast ones

namespace sse2 {
void AppendLineEnds(std::string_view bytes, std::size_t base, std::vector<std::size_t>& ends) {
  plain::AppendLineEnds(bytes, base, ends);
}
std::size_t FindBytes(std::string_view bytes, std::string_view needle, std::size_t from) {
  return plain::FindBytes(bytes, needle, from);
}
std::size_t FirstNonAscii(std::string_view bytes, std::size_t from) {
  return plain::FirstNonAscii(bytes, from);
}
}  // namespace sse2

void AppendLineEnds(std::string_view bytes, std::size_t base, std::vector<std::size_t>& ends) {
  plain::AppendLineEnds(bytes, base, ends);
}

std::size_t FindBytes(std::string_view bytes, std::string_view needle, std::size_t from) {
  return plain::FindBytes(bytes, needle, from);
}

std::size_t FirstNonAscii(std::string_view bytes, std::size_t from) {
  return plain::FirstNonAscii(bytes, from);
}

#endif

}  // namespace nosk::script
