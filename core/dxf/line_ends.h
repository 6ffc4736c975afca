// Where the line ends (LF bytes) of a stretch of text are, 64 bytes at a time, as a bit mask: bit
// i is set when byte i is '\n'. The ASCII DXF tokeniser walks a block's lines with these masks
// instead of looking for each line end on its own.
#pragma once

#include <cstddef>
#include <cstdint>

#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#define KORVANE_LINE_ENDS_SSE2 1
#include <emmintrin.h>
#endif

namespace korvane {

inline constexpr std::size_t kLineEndBlock = 64;

// The line ends among the first `n` bytes at `p` (n <= kLineEndBlock); the bytes beyond are not
// read.
inline std::uint64_t line_end_mask_portable(const char* p, std::size_t n) {
  std::uint64_t mask = 0;
  for (std::size_t i = 0; i < n; ++i) {
    mask |= static_cast<std::uint64_t>(p[i] == '\n') << i;
  }
  return mask;
}

// The line ends among the kLineEndBlock bytes at `p`. SSE2 is part of every x86-64 processor, so
// it needs no check at run time; other targets take the portable loop.
inline std::uint64_t line_end_mask(const char* p) {
#ifdef KORVANE_LINE_ENDS_SSE2
  const __m128i lf = _mm_set1_epi8('\n');
  const auto bits = [&](std::size_t at) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + at));
    return static_cast<std::uint64_t>(
        static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, lf))));
  };
  return bits(0) | bits(16) << 16 | bits(32) << 32 | bits(48) << 48;
#else
  return line_end_mask_portable(p, kLineEndBlock);
#endif
}

}  // namespace korvane
