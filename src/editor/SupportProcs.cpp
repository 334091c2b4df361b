// Tab expansion and character-set scans.
#include "editor/SupportProcs.h"

#include <cstring>

TktCharSet TktCharSet::Range(unsigned char first, unsigned char last) {
  TktCharSet s;
  for (unsigned c = first; c <= last; ++c) s.FBits.set(c);
  return s;
}

TktCharSet TktCharSet::Of(std::string_view chars) {
  TktCharSet s;
  for (char c : chars) s.Include(c);
  return s;
}

namespace {

// Blanks a tab at expanded column col becomes.
struct TOneBlank {
  size_t operator()(size_t) const { return 1; }
};
struct TPow2Blanks {
  size_t width;
  size_t operator()(size_t col) const { return width - (col & (width - 1)); }
};
struct TModBlanks {
  size_t width;
  size_t operator()(size_t col) const { return width - (col % width); }
};

// Two passes: measure, then copy once into a buffer of the final size.
template <class TBlanks>
std::string Expand(std::string_view line, TBlanks blanks) {
  const size_t firstTab = line.find('\t');
  if (firstTab == std::string_view::npos) return std::string(line);
  size_t len = firstTab;
  for (size_t i = firstTab; i < line.size(); ++i)
    len += line[i] == '\t' ? blanks(len) : 1;
  std::string out(len, ' ');
  size_t col = 0;
  for (char c : line) {
    if (c == '\t') {
      col += blanks(col);  // already blank
    } else {
      out[col++] = c;
    }
  }
  return out;
}

std::string ExpandOne(std::string_view line, int) { return Expand(line, TOneBlank{}); }
std::string ExpandPow2(std::string_view line, int tabWidth) {
  return Expand(line, TPow2Blanks{size_t(tabWidth)});
}
std::string ExpandMod(std::string_view line, int tabWidth) {
  return Expand(line, TModBlanks{size_t(tabWidth)});
}

}  // namespace

TktTabExpander ChooseTabExpander(int tabWidth) {
  if (tabWidth < 2) return &ExpandOne;
  if ((tabWidth & (tabWidth - 1)) == 0) return &ExpandPow2;
  return &ExpandMod;
}

int FindCharInSet(std::string_view text, int start, const TktCharSet& chars) {
  const int len = int(text.size());
  if (start < 1 || start > len) return 0;
  for (int i = start; i <= len; ++i)
    if (chars.Contains(text[size_t(i - 1)])) return i;
  return 0;
}

int FindCharInSetBackward(std::string_view text, int start, const TktCharSet& chars) {
  const int len = int(text.size());
  if (start < 1 || start > len) return 0;
  for (int i = start; i >= 1; --i)
    if (chars.Contains(text[size_t(i - 1)])) return i;
  return 0;
}

const char* GetEOL(const char* text) {
  while (*text != '\0' && *text != '\n' && *text != '\r') ++text;
  return text;
}
