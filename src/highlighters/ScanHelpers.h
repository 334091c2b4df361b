// ScanHelpers: the character tests and line searches the hand-written
// scanners share. Every search runs against the line's length: a NUL byte is
// an ordinary character to them.
#pragma once

#include <cstddef>
#include <string_view>

namespace hlscan {

inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }
inline bool IsHexDigit(char c) {
  const unsigned char u = static_cast<unsigned char>(c) | 0x20;
  return IsDigit(c) || (u >= 'a' && u <= 'f');
}
inline bool IsLineBreak(char c) { return c == '\n' || c == '\r'; }
// Blanks and control characters other than NUL, LF and CR.
inline bool IsBlank(char c) {
  const unsigned char u = static_cast<unsigned char>(c);
  return u >= 1 && u <= 32 && u != 10 && u != 13;
}

// The index of the first character at or after from that is not a blank.
inline size_t SkipBlanks(std::string_view line, size_t from) {
  while (from < line.size() && IsBlank(line[from])) ++from;
  return from;
}

// The index of the first CR or LF at or after from, or the line's length.
inline size_t FindLineBreak(std::string_view line, size_t from) {
  while (from < line.size() && !IsLineBreak(line[from])) ++from;
  return from;
}

// The index of the "*" of the first "*/" at or after from, or of the first
// CR or LF before it, or the line's length.
inline size_t FindCommentClose(std::string_view line, size_t from) {
  const size_t n = line.size();
  for (; from < n; ++from) {
    const char c = line[from];
    if (c == '*') {
      if (from + 1 < n && line[from + 1] == '/') return from;
    } else if (IsLineBreak(c)) {
      return from;
    }
  }
  return n;
}

}  // namespace hlscan
