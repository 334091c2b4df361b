// The rules the find, replace and hex-find dialogs keep for themselves: the
// ten-entry input history of their combo boxes and the hex find's two-way
// entry (text shown as hex pairs, typed hex cleaned and decoded back).
#pragma once

#include <string>
#include <string_view>

class TStrings;

// How many entries a search history keeps.
inline constexpr int kSearchHistorySize = 10;

// Accepts text into a history, newest first. A text already in the list
// (exact comparison) leaves the list as it is. Otherwise the list is padded
// with empty entries to ten, entries 0 to 8 move one place down (entry 9 is
// lost) and text becomes entry 0; entries past the tenth stay untouched.
void AddToHistory(TStrings& items, const std::string& text);

// Each character's code as two upper-case hex digits, the pairs joined by
// one blank: "AB" gives "41 42".
std::string TextToHex(std::string_view text);

// A hex box's text after a change, with its caret (0-based, before the
// character it precedes).
struct THexEntry {
  std::string Hex;    // digits 0-9 and A-F only, a blank after every pair
  int Caret = 0;      // where the caret goes in Hex
  std::string Text;   // the characters the pairs stand for
};

// Drops every character that is not 0-9 or A-F (the caret moves back one for
// each dropped character before it), puts a blank after every complete pair
// (the caret moves forward one for each blank inserted at or before it), and
// decodes the pairs, a last single digit alone, into characters.
THexEntry CleanHexEntry(std::string_view hex, int caret);

// The bytes a stored hex text searches for: trimmed, every blank removed,
// then two digits at a time from the left (a last single digit alone), each
// read as hex with either case. Raises Exception naming the piece when a
// piece is not hexadecimal, so an odd stored value never searches for
// bytes nobody typed.
std::string HexSearchBytes(std::string_view findHex);
