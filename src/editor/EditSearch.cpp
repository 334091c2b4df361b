// Whole-text search. Two ways to find the leftmost hit, with the same
// results: a skip search (the window's last character is compared first; on
// a mismatch the character just after the window says how far to jump), and
// where the processor has 16-byte vectors a filter that tests the first and
// last character of 16 windows at once and compares only the survivors.
// Neither reads a byte outside the text.
#include "editor/EditSearch.h"

#include <cstring>

#include "editor/CharClasses.h"
#include "platform/SysUtils.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#define TQ_SEARCH_VECTOR 1
#endif

TktEditSearch::TktEditSearch() : FAlphaNumeric(CharClasses().AlphaNumeric) {
  BuildTables();
}

void TktEditSearch::SetPattern(const std::string& pattern) {
  FCount = 0;
  if (pattern.empty()) {
    FPattern.clear();
    BuildTables();
    throw Exception("Pattern is empty");
  }
  if (pattern != FPattern) {
    FPattern = pattern;
    BuildTables();
  }
}

void TktEditSearch::SetSensitive(bool value) {
  if (value == FSensitive) return;
  FSensitive = value;
  BuildTables();
}

void TktEditSearch::BuildTables() {
  const TCharClassTable& classes = CharClasses();
  FAlphaNumeric = classes.AlphaNumeric;
  for (int c = 0; c < 256; ++c) FCase[c] = FSensitive ? uint8_t(c) : classes.Lower[c];

  const int m = int(FPattern.size());
  FPatLen = m;
  FFolded.resize(size_t(m));
  for (int i = 0; i < m; ++i) FFolded[size_t(i)] = char(FCase[uint8_t(FPattern[size_t(i)])]);

  for (int& s : FShift) s = m + 1;
  for (int i = 0; i < m; ++i) FShift[uint8_t(FFolded[size_t(i)])] = m - i;  // later characters win
  FLookAt = 1;
  while (FLookAt < m && FFolded[size_t(m - 1)] != FFolded[size_t(m - 1 - FLookAt)]) ++FLookAt;

  FVectorOk = false;
  if (m == 0) return;
  auto twins = [this](uint8_t folded, uint8_t out[2]) {
    int n = 0;
    for (int c = 0; c < 256; ++c) {
      if (FCase[c] != folded) continue;
      if (n == 2) return false;
      out[n++] = uint8_t(c);
    }
    if (n == 1) out[1] = out[0];
    return n > 0;
  };
  FVectorOk = twins(uint8_t(FFolded[0]), FFirstBytes) &&
              twins(uint8_t(FFolded[size_t(m - 1)]), FLastBytes);
}

int TktEditSearch::FindAll(std::string_view text) {
  FResults.clear();
  for (int hit = FindFirst(text); hit != 0; hit = Next()) FResults.push_back(hit);
  return int(FResults.size());
}

int TktEditSearch::FindFirst(std::string_view text) {
  FText = text;
  FRun = -1;
  FNext = 0;
  return Next();
}

int TktEditSearch::Next() {
  const std::ptrdiff_t size = std::ptrdiff_t(FText.size());
  if (FPatLen == 0 || FNext + FPatLen > size) {
    FNext = size;
    return 0;
  }
  const std::ptrdiff_t start = Search(FNext);
  if (start < 0) {
    FNext = size;
    return 0;
  }
  FNext = start + FPatLen;
  ++FCount;
  return int(start + 1);
}

std::ptrdiff_t TktEditSearch::Search(std::ptrdiff_t from) {
#ifdef TQ_SEARCH_VECTOR
  if (FVectorOk) return VectorSearch(from);
#endif
  return FSensitive ? SkipSearch<false>(from) : SkipSearch<true>(from);
}

// The characters between the first and the last of the window at start.
bool TktEditSearch::Verify(std::ptrdiff_t start) const {
  const uint8_t* t = reinterpret_cast<const uint8_t*>(FText.data()) + start;
  const uint8_t* p = reinterpret_cast<const uint8_t*>(FFolded.data());
  if (FSensitive) return FPatLen < 3 || std::memcmp(t + 1, p + 1, size_t(FPatLen - 2)) == 0;
  for (int k = 1; k < FPatLen - 1; ++k)
    if (FCase[t[k]] != p[k]) return false;
  return true;
}

template <bool Fold>
std::ptrdiff_t TktEditSearch::SkipSearch(std::ptrdiff_t from) {
  const uint8_t* t = reinterpret_cast<const uint8_t*>(FText.data());
  const std::ptrdiff_t end = std::ptrdiff_t(FText.size());
  const std::ptrdiff_t m = FPatLen;
  const uint8_t* p = reinterpret_cast<const uint8_t*>(FFolded.data());
  const uint8_t last = p[m - 1];
  const std::ptrdiff_t lookAt = FLookAt;
  auto fold = [this](uint8_t c) { return Fold ? FCase[c] : c; };

  std::ptrdiff_t run = from + m - 1;
  while (run < end) {
    if (fold(t[run]) == last) {
      const std::ptrdiff_t start = run - m + 1;
      std::ptrdiff_t k = m - 2;
      while (k >= 0 && fold(t[start + k]) == p[k]) --k;
      if (k < 0) {
        FRun = run;
        if (!Whole || IsWordBound()) return start;
      }
      if (run + lookAt >= end) break;
      run += FShift[fold(t[run + lookAt])] + lookAt - 1;
    } else {
      if (run + 1 >= end) break;
      run += FShift[fold(t[run + 1])];
    }
  }
  return -1;
}

std::ptrdiff_t TktEditSearch::VectorSearch(std::ptrdiff_t from) {
  // A case-sensitive search (or a character without a case twin) needs one
  // compare per end instead of two.
  const bool twins = FFirstBytes[0] != FFirstBytes[1] || FLastBytes[0] != FLastBytes[1];
  return twins ? VectorSearchImpl<true>(from) : VectorSearchImpl<false>(from);
}

template <bool Twins>
std::ptrdiff_t TktEditSearch::VectorSearchImpl(std::ptrdiff_t from) {
#ifdef TQ_SEARCH_VECTOR
  const char* t = FText.data();
  const std::ptrdiff_t size = std::ptrdiff_t(FText.size());
  const std::ptrdiff_t m = FPatLen;
  const __m128i first0 = _mm_set1_epi8(char(FFirstBytes[0]));
  const __m128i first1 = _mm_set1_epi8(char(FFirstBytes[1]));
  const __m128i last0 = _mm_set1_epi8(char(FLastBytes[0]));
  const __m128i last1 = _mm_set1_epi8(char(FLastBytes[1]));
  // Bit k: the window starting at p + k has the right first and last character.
  auto candidates = [&](std::ptrdiff_t p) {
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(t + p));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(t + p + m - 1));
    __m128i firstHit = _mm_cmpeq_epi8(a, first0);
    __m128i lastHit = _mm_cmpeq_epi8(b, last0);
    if (Twins) {
      firstHit = _mm_or_si128(firstHit, _mm_cmpeq_epi8(a, first1));
      lastHit = _mm_or_si128(lastHit, _mm_cmpeq_epi8(b, last1));
    }
    return unsigned(_mm_movemask_epi8(_mm_and_si128(firstHit, lastHit)));
  };
  std::ptrdiff_t i = from;
  // 32 windows start at i..i+31; the last one ends at i + 31 + m - 1.
  for (; i + 31 + m - 1 < size; i += 32) {
    uint32_t mask = candidates(i) | (uint32_t(candidates(i + 16)) << 16);
    while (mask != 0) {
      const std::ptrdiff_t start = i + __builtin_ctz(mask);
      mask &= mask - 1;
      if (!Verify(start)) continue;
      FRun = start + m - 1;
      if (!Whole || IsWordBound()) return start;
    }
  }
  // The last few windows.
  return FSensitive ? SkipSearch<false>(i) : SkipSearch<true>(i);
#else
  return -1;
#endif
}

bool TktEditSearch::IsWordBound() {
  const std::ptrdiff_t start = FRun - FPatLen + 1;
  const std::ptrdiff_t after = FRun + 1;
  const uint8_t* t = reinterpret_cast<const uint8_t*>(FText.data());
  if (start > 0 && FAlphaNumeric[t[start - 1]]) return false;
  if (after < std::ptrdiff_t(FText.size()) && FAlphaNumeric[t[after]]) return false;
  return true;
}

int TktEditSearch::GetResults(int index) const {
  if (index < 0 || index >= int(FResults.size())) return 0;
  return FResults[size_t(index)];
}

void TktEditSearch::FixResults(int first, int delta) {
  if (delta == 0 || FResults.empty()) return;
  for (size_t i = FResults.size(); i-- > 0;) {
    if (FResults[i] <= first) break;  // positions are ascending
    FResults[i] -= delta;
  }
}
