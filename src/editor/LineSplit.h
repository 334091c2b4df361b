// Splitting a loaded text into lines, the line store's hot path. The rule is
// the platform's (platform/TextLines.h): a line ends at CR LF, LF or CR, and
// a line end at the very end adds no line. These versions find both break
// characters 16 bytes at a time and work in place: each line's terminator
// is overwritten with NUL, so every line is followed by a NUL.
#pragma once

#include <cstddef>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tq_linesplit {

#if defined(__SSE2__)
// Bit i set when text[i] is CR or LF, for 16 bytes.
inline unsigned BreakMask16(const char* text) {
  const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text));
  const __m128i hit = _mm_or_si128(_mm_cmpeq_epi8(block, _mm_set1_epi8('\r')),
                                   _mm_cmpeq_epi8(block, _mm_set1_epi8('\n')));
  return unsigned(_mm_movemask_epi8(hit));
}
// The same for 64 bytes: a wider block leaves the bit loop less often.
inline uint64_t BreakMask64(const char* text) {
  return uint64_t(BreakMask16(text)) | (uint64_t(BreakMask16(text + 16)) << 16) |
         (uint64_t(BreakMask16(text + 32)) << 32) | (uint64_t(BreakMask16(text + 48)) << 48);
}
#endif

}  // namespace tq_linesplit

// Counts the lines SplitLinesInPlace will hand on for a text fed in
// consecutive pieces (so a file can be counted while it is read, piece by
// piece, while each piece is still in the cache): CR, LF and CR LF each end
// a line, plus one for a last line without a line end.
class TLineCounter {
public:
  void Feed(const char* text, size_t size) {
    if (size == 0) return;
    size_t breaks = 0;
    if (text[0] == '\r' || (text[0] == '\n' && !FCrBefore)) ++breaks;
    size_t i = 1;
#if defined(__SSE2__)
    // Per byte lane: +1 for a CR or an LF, -1 for an LF right after a CR; a
    // lane gains at most 1 per round, so 255 rounds fit in its byte.
    const __m128i cr = _mm_set1_epi8('\r'), lf = _mm_set1_epi8('\n'), zero = _mm_setzero_si128();
    __m128i acc = zero;
    int rounds = 0;
    auto flush = [&] {
      const __m128i sums = _mm_sad_epu8(acc, zero);
      breaks += size_t(_mm_cvtsi128_si32(sums)) + size_t(_mm_extract_epi16(sums, 4));
      acc = zero;
      rounds = 0;
    };
    for (; i + 16 <= size; i += 16) {
      const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i));
      const __m128i before = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i - 1));
      const __m128i isLF = _mm_cmpeq_epi8(block, lf);
      acc = _mm_sub_epi8(acc, _mm_cmpeq_epi8(block, cr));
      acc = _mm_sub_epi8(acc, isLF);
      acc = _mm_add_epi8(acc, _mm_and_si128(isLF, _mm_cmpeq_epi8(before, cr)));
      if (++rounds == 255) flush();
    }
    flush();
#endif
    for (; i < size; ++i) {
      const char c = text[i];
      if (c == '\r' || (c == '\n' && text[i - 1] != '\r')) ++breaks;
    }
    FBreaks += breaks;
    FLast = text[size - 1];
    FCrBefore = FLast == '\r';
    FAny = true;
  }

  size_t Lines() const {
    if (!FAny) return 0;
    return FBreaks + ((FLast == '\r' || FLast == '\n') ? 0 : 1);
  }

private:
  size_t FBreaks = 0;
  bool FCrBefore = false;  // the last byte fed was a CR
  bool FAny = false;
  char FLast = 0;
};

inline size_t CountLines(const char* text, size_t size) {
  TLineCounter counter;
  counter.Feed(text, size);
  return counter.Lines();
}

// Calls emit(start, length) for each line of text[0, size), in order, after
// overwriting the line's terminator with NUL; text[size] must be writable
// (it becomes the NUL after the last line).
template <class Emit>
void SplitLinesInPlace(char* text, size_t size, Emit&& emit) {
  size_t pos = 0;                       // start of the current line
  size_t skipLF = size_t(-1);           // an LF here completes a CR LF
  auto onBreak = [&](size_t e) {
    if (e == skipLF && text[e] == '\n') {  // the LF of CR LF: the line already ended
      pos = e + 1;
      return;
    }
    const char c = text[e];
    text[e] = '\0';
    emit(pos, e - pos);
    pos = e + 1;
    if (c == '\r') skipLF = e + 1;
  };
  size_t i = 0;
#if defined(__SSE2__)
  for (; i + 64 <= size; i += 64)
    for (uint64_t mask = tq_linesplit::BreakMask64(text + i); mask != 0; mask &= mask - 1)
      onBreak(i + size_t(__builtin_ctzll(mask)));
#endif
  for (; i < size; ++i)
    if (text[i] == '\r' || text[i] == '\n') onBreak(i);
  text[size] = '\0';
  if (pos < size) emit(pos, size - pos);
}
