// The kit's string and number routines: words of a text split at a set of
// delimiters (numbered from 1), replacing, hexadecimal and Roman numbers, the
// simple key encoding of stored values, and Max/Min of two integers.
#pragma once

#include <cstdint>
#include <string>
#include <functional>
#include <string_view>
#include <vector>

#include "platform/Sets.h"

// A set of delimiter characters.
class TCharSet {
public:
  TCharSet() = default;
  TCharSet(std::string_view chars) {  // NOLINT: a text of characters reads naturally
    for (char c : chars) Include(c);
  }
  TCharSet(const char* chars) : TCharSet(std::string_view(chars)) {}  // NOLINT
  void Include(char c) { FBits[Index(c) / 64] |= uint64_t(1) << (Index(c) % 64); }
  bool Contains(char c) const { return (FBits[Index(c) / 64] >> (Index(c) % 64)) & 1; }

private:
  static unsigned Index(char c) { return static_cast<unsigned char>(c); }
  uint64_t FBits[4] = {};
};

// Every occurrence of search, left to right; the search resumes after each
// replacement. An empty search changes nothing.
std::string ReplaceStr(std::string_view text, std::string_view search, std::string_view replacement);
// Runs of non-delimiters, each as long as possible.
int WordCount(std::string_view text, const TCharSet& delims);
// 1-based position of word n, 0 when there is none.
int WordPosition(int n, std::string_view text, const TCharSet& delims);
// Word n, empty when there is none.
std::string ExtractWord(int n, std::string_view text, const TCharSet& delims);
// The characters from pos (1-based) up to the next delimiter; pos moves past
// that one delimiter.
std::string ExtractSubstr(std::string_view text, int& pos, const TCharSet& delims);

// "$" goes in front unless the text holds one anywhere; then the platform's
// conversion (so "FF", "$FF" and "ff" are 255; "1$0" raises EConvertError).
int HexStrToInt(const std::string& text);
// Roman numerals with repeated "M" for thousands; empty for 0 and below.
std::string IntToRoman(int value);

// Each character XOR the key's character at the same place, the key cycled
// (no change with an empty key), as two lower-case hexadecimal digits.
std::string XorEncode(std::string_view key, std::string_view text);
// The reverse; a pair that is no hexadecimal number ends the text.
std::string XorDecode(std::string_view key, std::string_view text);

inline int Max(int a, int b) { return a > b ? a : b; }
inline int Min(int a, int b) { return a < b ? a : b; }

// Command lines: words are separated by blanks; a pair of double quotes
// groups blanks into a word (and is dropped). Word n counts from 1.
int GetCmdLineWordCount(std::string_view cmdLine);
std::string GetCmdLineWord(int n, std::string_view cmdLine);
// The words again as one parameter list: each word that holds a blank in
// double quotes, joined by single blanks.
std::string RebuildParams(const std::vector<std::string>& words);
std::vector<std::string> SplitCmdLine(std::string_view cmdLine);

// Shortens text by cutting characters from its end and appending "..."
// until width() of the result fits into maxWidth (text itself when it fits).
std::string MinimizeText(const std::string& text, const std::function<int(const std::string&)>& width,
                         int maxWidth);
