// Splitting text into lines the way every loader here does: a line ends at
// CR LF, LF or CR, and a line end at the very end adds no empty line. Shared
// by the string lists and the editor's line store, so both agree exactly.
#pragma once

#include <cstddef>
#include <cstring>
#include <string_view>

// Calls emit(start, length) for each line of text, in order. Scans with
// memchr for each of the two break characters and remembers the next hit of
// each, so the cost stays near that of a plain memchr pass.
template <typename Emit>
void SplitTextLines(std::string_view text, Emit&& emit) {
  const char* base = text.data();
  const size_t n = text.size();
  auto find = [base, n](char c, size_t from) -> size_t {
    const void* p = from < n ? std::memchr(base + from, c, n - from) : nullptr;
    return p ? static_cast<size_t>(static_cast<const char*>(p) - base) : n;
  };
  size_t nextCR = find('\r', 0);
  size_t nextLF = find('\n', 0);
  size_t pos = 0;
  while (pos < n) {
    if (nextCR < pos) nextCR = find('\r', pos);
    if (nextLF < pos) nextLF = find('\n', pos);
    size_t end = nextCR < nextLF ? nextCR : nextLF;
    emit(pos, end - pos);
    if (end >= n) break;
    pos = end + 1;
    if (base[end] == '\r' && pos < n && base[pos] == '\n') ++pos;
  }
}

inline size_t CountTextLines(std::string_view text) {
  size_t count = 0;
  SplitTextLines(text, [&count](size_t, size_t) { ++count; });
  return count;
}
