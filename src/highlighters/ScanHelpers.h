// ScanHelpers: the character tests and the small scans that many family
// members share. Each scan takes the line and a position and returns where
// the token ends; none reads past the line's length, and a NUL byte is an
// ordinary character to them.
#pragma once

#include <cstddef>
#include <cstring>
#include <string_view>

#include "highlighters/KeywordTable.h"

namespace hlscan {

inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }
inline bool IsLetter(char c) {
  const unsigned char u = static_cast<unsigned char>(c) | 0x20;
  return u >= 'a' && u <= 'z';
}
inline bool IsHexDigit(char c) {
  const unsigned char u = static_cast<unsigned char>(c) | 0x20;
  return IsDigit(c) || (u >= 'a' && u <= 'f');
}
// Blanks and control characters other than NUL, LF and CR.
inline bool IsBlank(char c) {
  const unsigned char u = static_cast<unsigned char>(c);
  return u >= 1 && u <= 32 && u != 10 && u != 13;
}
inline bool IsLineBreak(char c) { return c == '\n' || c == '\r'; }

// The blank at i and every blank after it.
inline size_t BlanksEnd(std::string_view s, size_t i) {
  ++i;
  while (i < s.size() && IsBlank(s[i])) ++i;
  return i;
}
// The LF at i, or the CR at i with an LF directly after it.
inline size_t LineBreakEnd(std::string_view s, size_t i) {
  return (s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n') ? i + 2 : i + 1;
}
// The first CR or LF at or after i, or the line's length. Comments that
// "stop at the line end" stop here; a NUL byte stays inside them.
// Line breaks inside a line are rare: two memchr passes beat a byte loop on
// long comments.
inline size_t LineBreakFrom(std::string_view s, size_t i) {
  const size_t n = s.size();
  if (i >= n) return n;
  const char* base = s.data();
  const void* lf = std::memchr(base + i, '\n', n - i);
  const size_t end = lf ? static_cast<size_t>(static_cast<const char*>(lf) - base) : n;
  const void* cr = std::memchr(base + i, '\r', end - i);
  return cr ? static_cast<size_t>(static_cast<const char*>(cr) - base) : end;
}
// Characters of the set at or after i.
template <class Pred>
inline size_t SkipWhile(std::string_view s, size_t i, Pred pred) {
  while (i < s.size() && pred(s[i])) ++i;
  return i;
}
// A quoted string opening at i: a doubled quote right after the opening one
// is skipped, then the string runs up to and past the next quote, or to
// stop (the line end, or the first line break) when there is none.
inline size_t QuotedEnd(std::string_view s, size_t i, char quote, size_t stop) {
  if (i + 2 < s.size() && s[i + 1] == quote && s[i + 2] == quote) i += 2;
  for (size_t j = i + 1; j < stop; ++j)
    if (s[j] == quote) return j + 1;
  return stop;
}

// The character at i and what follows it up to and past the first stop,
// or up to the first line break or the line end when there is none.
inline size_t ThroughCharEnd(std::string_view s, size_t i, char stop) {
  const size_t n = s.size();
  for (++i; i < n; ++i) {
    const char c = s[i];
    if (c == stop) return i + 1;
    if (IsLineBreak(c)) return i;
  }
  return n;
}

// A string opening with the quote at i in which a backslash takes the
// character after it, whatever that is (so "C:\\" ends at its last quote
// and "a\"b" goes on past the escaped one); with skipDoubled a doubled
// quote right after the opening one is skipped first. Runs up to and past
// the closing quote, or up to the first line break or the line end.
inline size_t EscapedStringEnd(std::string_view s, size_t i, char quote, bool skipDoubled) {
  const size_t n = s.size();
  if (skipDoubled && i + 2 < n && s[i + 1] == quote && s[i + 2] == quote) i += 2;
  for (++i; i < n;) {
    const char c = s[i];
    if (c == quote) return i + 1;
    if (IsLineBreak(c)) return i;
    i += (c == '\\' && i + 1 < n) ? 2 : 1;
  }
  return n;
}

// A number whose first character is at i, over hexadecimal digits, ".",
// "x" and "_" (stopping before ".."). A "-" belongs to it before an "e"
// ("1-e"), and a sign after the exponent letter of a decimal number before
// a digit ("3.14e-5"); any other ends it, so "0x1e-5" is not one number.
inline size_t ExponentNumberEnd(std::string_view s, size_t i) {
  const size_t n = s.size();
  bool hex = false;
  for (++i; i < n; ++i) {
    const char c = s[i];
    if (c == '.') {
      if (i + 1 < n && s[i + 1] == '.') break;
    } else if (c == 'x' || c == 'X') {
      hex = true;
    } else if (c == '-' || c == '+') {
      const char before = s[i - 1], after = i + 1 < n ? s[i + 1] : '\0';
      const bool exponentSign = !hex && (before == 'e' || before == 'E') && IsDigit(after);
      if (!exponentSign && !(c == '-' && (after == 'e' || after == 'E'))) break;
    } else if (!IsHexDigit(c) && c != '_') {
      break;
    }
  }
  return i;
}

// The index of the first character at or after from that is not a blank.
inline size_t SkipBlanks(std::string_view line, size_t from) {
  while (from < line.size() && IsBlank(line[from])) ++from;
  return from;
}

// The index of the first CR or LF at or after from, or the line's length.
inline size_t FindLineBreak(std::string_view line, size_t from) { return LineBreakFrom(line, from); }

// The index of the "*" of the first "*/" at or after from, or of the first
// CR or LF before it, or the line's length.
inline size_t FindCommentClose(std::string_view line, size_t from) {
  const size_t limit = FindLineBreak(line, from);
  const char* base = line.data();
  while (from + 1 < limit) {
    const void* star = std::memchr(base + from, '*', limit - 1 - from);
    if (!star) break;
    const size_t i = static_cast<size_t>(static_cast<const char*>(star) - base);
    if (base[i + 1] == '/') return i;
    from = i + 1;
  }
  return limit;
}

// The rest of a "/* */" comment from index from on: up to and past its
// "*/" (Closed), or up to the first line break or the line end (still open).
struct TCommentScan {
  size_t End;
  bool Closed;
};
inline TCommentScan CCommentFrom(std::string_view line, size_t from) {
  const size_t close = FindCommentClose(line, from);
  if (close < line.size() && line[close] == '*') return {close + 2, true};
  return {close, false};
}

// A number whose first character is at i, over "." and the characters in
// takes, stopping before "..": "1..9" is a number, "..", a number.
template <class Pred>
inline size_t NumberRunEnd(std::string_view s, size_t i, Pred in) {
  const size_t n = s.size();
  for (++i; i < n; ++i) {
    const char c = s[i];
    if (c == '.') {
      if (i + 1 < n && s[i + 1] == '.') break;
    } else if (!in(c)) {
      break;
    }
  }
  return i;
}

// The identifier run at i and its keyword hash: the sum of the hash values
// of its characters. The sum stops growing at limit (a word that long
// cannot be a keyword), so no line can overflow it.
struct TWordScan {
  size_t End;
  int Hash;
};
inline TWordScan HashIdentRun(const TCharTables& t, std::string_view s, size_t i, int limit) {
  int hash = 0;
  while (i < s.size() && t.IsIdent(s[i])) {
    if (hash < limit) hash += t.Hash(s[i]);
    ++i;
  }
  return {i, hash};
}

// Whether the identifier run at i is one of the table's keywords; end
// receives the end of the run.
inline const TKeywordDef* FindKeyword(const TKeywordTable& k, const TCharTables& t,
                                      std::string_view s, size_t i, size_t* end) {
  const TWordScan w = HashIdentRun(t, s, i, k.TableSize());
  *end = w.End;
  if (w.Hash >= k.TableSize()) return nullptr;
  return k.Find(w.Hash, s.data() + i, w.End - i);
}

// The character tables are built at compile time (members keep them in
// constexpr statics): a table built at run time would cost every keyword
// lookup the check of its static's guard.
// Letters A-Z and a-z fold to 1-26, "_" hashes 31, every other character 0;
// identifiers take digits, letters and "_". The tables of most members.
constexpr TCharTables StandardCharTables() {
  TCharTables t;
  for (int c = 0; c < 256; ++c) {
    const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    t.Ident[static_cast<size_t>(c)] = letter || c == '_' || (c >= '0' && c <= '9');
    if (letter) t.HashValue[static_cast<size_t>(c)] = (c | 0x20) - 'a' + 1;
  }
  t.HashValue['_'] = 31;
  return t;
}
// Upper-case letters hash 1-26 and lower-case ones 2-27, apart, for
// case-sensitive keywords; identifiers take digits, letters and "_".
constexpr TCharTables CaseSensitiveCharTables() {
  TCharTables t;
  for (int c = 0; c < 256; ++c) {
    const size_t i = static_cast<size_t>(c);
    t.Ident[i] = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' ||
                 (c >= '0' && c <= '9');
    if (c >= 'A' && c <= 'Z') t.HashValue[i] = c - 'A' + 1;
    if (c >= 'a' && c <= 'z') t.HashValue[i] = c - 95;
  }
  return t;
}

}  // namespace hlscan
