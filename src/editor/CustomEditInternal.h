// Helpers the editing control's source files share: the paint-lock guard,
// scaled integer arithmetic, double-byte boundaries, splitting inserted text.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "editor/CharClasses.h"
#include "editor/CustomEdit.h"

namespace tq_edit_detail {

// Holds the control's paint lock for a scope, so a throwing operation
// still lets the deferred updates run.
class TPaintLockGuard {
public:
  explicit TPaintLockGuard(TktCustomEdit& edit) : FEdit(edit) { FEdit.BeginUpdate(); }
  ~TPaintLockGuard() { FEdit.EndUpdate(); }
  TPaintLockGuard(const TPaintLockGuard&) = delete;
  TPaintLockGuard& operator=(const TPaintLockGuard&) = delete;

private:
  TktCustomEdit& FEdit;
};

// The same for the line list's update bracket (one changed notice at the end).
class TLinesUpdateGuard {
public:
  explicit TLinesUpdateGuard(TStrings& lines) : FLines(lines) { FLines.BeginUpdate(); }
  ~TLinesUpdateGuard() { FLines.EndUpdate(); }
  TLinesUpdateGuard(const TLinesUpdateGuard&) = delete;
  TLinesUpdateGuard& operator=(const TLinesUpdateGuard&) = delete;

private:
  TStrings& FLines;
};

// value x numerator / denominator rounded half away from zero, as the
// window system's MulDiv; 0 for a zero denominator.
inline int MulDiv(int value, int numerator, int denominator) {
  if (denominator == 0) return 0;
  const int64_t p = int64_t(value) * numerator;
  const int64_t d = denominator;
  const bool negative = (p < 0) != (d < 0);
  const int64_t ap = p < 0 ? -p : p;
  const int64_t ad = d < 0 ? -d : d;
  const int64_t q = (ap + ad / 2) / ad;
  return int(negative ? -q : q);
}

inline bool IsLeadByte(char c) { return CharClasses().LeadByte[static_cast<uint8_t>(c)]; }

// Whether s[index] (0-based) is the second byte of a double-byte character.
// Only the run of lead-byte values just before index matters: the byte
// before that run ends a character, and the run pairs up from there. So on
// a single-byte code page this costs one table look-up.
inline bool IsTrailByte(std::string_view s, size_t index) {
  if (index == 0 || index >= s.size()) return false;
  size_t j = index;
  while (j > 0 && IsLeadByte(s[j - 1])) --j;
  return ((index - j) & 1) != 0;
}

// Text split at CR LF, LF and CR. Unlike a loader's split, a line end at the
// very end gives a last, empty piece: inserting "a" CR LF ends on the next line.
inline std::vector<std::string_view> SplitInsertedText(std::string_view text) {
  std::vector<std::string_view> pieces;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c != '\r' && c != '\n') continue;
    pieces.push_back(text.substr(start, i - start));
    if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  pieces.push_back(text.substr(start));
  return pieces;
}

inline bool PointBefore(TPoint a, TPoint b) { return a.Y < b.Y || (a.Y == b.Y && a.X < b.X); }

}  // namespace tq_edit_detail
