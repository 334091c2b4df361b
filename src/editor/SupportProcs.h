// Small routines the editing control shares: clamping, tab expansion and
// scans for characters of a set.
#pragma once

#include <bitset>
#include <string>
#include <string_view>

// A set of single-byte characters (identifier characters, word breaks, ...).
class TktCharSet {
public:
  TktCharSet() = default;
  // Every character from first to last, both included.
  static TktCharSet Range(unsigned char first, unsigned char last);
  static TktCharSet Of(std::string_view chars);
  bool Contains(char c) const { return FBits.test(static_cast<unsigned char>(c)); }
  TktCharSet& Include(char c) { FBits.set(static_cast<unsigned char>(c)); return *this; }
  TktCharSet& Include(const TktCharSet& other) { FBits |= other.FBits; return *this; }
  TktCharSet& Exclude(char c) { FBits.reset(static_cast<unsigned char>(c)); return *this; }
  bool operator==(const TktCharSet&) const = default;

private:
  std::bitset<256> FBits;
};

// low when value is below it, high when above, else value.
inline int MinMax(int value, int low, int high) {
  return value < low ? low : (value > high ? high : value);
}

// Turns the tabs of a line into blanks. Each routine returns the line
// unchanged when it holds no tab.
using TktTabExpander = std::string (*)(std::string_view line, int tabWidth);

// The routine for a tab width: below 2 every tab is one blank; a power of two
// and any other width fill up to the next multiple of the width (the column
// counted in the expanded text, from 0).
TktTabExpander ChooseTabExpander(int tabWidth);

// 1-based index of the first character at or after start (1-based) that is in
// the set; 0 when there is none or start lies outside 1..length.
int FindCharInSet(std::string_view text, int start, const TktCharSet& chars);
// The same, searching from start back to the first character.
int FindCharInSetBackward(std::string_view text, int start, const TktCharSet& chars);

// Pointer to the first NUL, LF or CR at or after text.
const char* GetEOL(const char* text);
