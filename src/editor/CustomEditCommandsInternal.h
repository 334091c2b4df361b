// Small text helpers the editing control's commands, undo replays, clipboard
// and search share: blanks at a line's end and start, and where a text's
// pieces end when it is inserted.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tq_edit_detail {

// Length of s without its trailing blanks (spaces; the commands store lines
// without them).
inline size_t TrimmedLength(std::string_view s) {
  size_t n = s.size();
  while (n > 0 && s[n - 1] == ' ') --n;
  return n;
}

inline void TrimRight(std::string& s) { s.resize(TrimmedLength(s)); }

// The indent of a line: its leading bytes 1..32.
inline int LeadingIndent(std::string_view s) {
  size_t n = 0;
  while (n < s.size() && static_cast<uint8_t>(s[n]) >= 1 && static_cast<uint8_t>(s[n]) <= 32) ++n;
  return int(n);
}

// Leading spaces only, at most limit of them.
inline int LeadingSpaces(std::string_view s, int limit) {
  int n = 0;
  while (n < limit && size_t(n) < s.size() && s[size_t(n)] == ' ') ++n;
  return n;
}

inline bool StartsWithLineBreak(std::string_view s) {
  return !s.empty() && (s[0] == '\r' || s[0] == '\n');
}

inline bool EndsWithLineBreak(std::string_view s) {
  return !s.empty() && (s.back() == '\r' || s.back() == '\n');
}

// The text up to its first NUL (a clipboard block's text stops there).
inline std::string_view UpToNul(std::string_view s) {
  const size_t nul = s.find('\0');
  return nul == std::string_view::npos ? s : s.substr(0, nul);
}

}  // namespace tq_edit_detail
