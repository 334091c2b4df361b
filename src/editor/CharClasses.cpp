// Code page 1252 character classes and the replaceable source behind
// CharClasses().
#include "editor/CharClasses.h"

#include <initializer_list>

namespace {

TCharClassSource gSource = &Cp1252CharClasses;
TCharClassTable gTable;
bool gBuilt = false;

}  // namespace

void Cp1252CharClasses(TCharClassTable& table) {
  for (int c = 0; c < 256; ++c) {
    table.Lower[c] = uint8_t(c);
    table.AlphaNumeric[c] = false;
    table.LeadByte[c] = false;  // a single-byte code page has no lead bytes
  }
  auto letter = [&](int upper, int lower) {
    table.Lower[upper] = uint8_t(lower);
    table.AlphaNumeric[upper] = true;
    table.AlphaNumeric[lower] = true;
  };
  for (int c = '0'; c <= '9'; ++c) table.AlphaNumeric[c] = true;
  for (int c = 'A'; c <= 'Z'; ++c) letter(c, c + 32);
  // Accented capitals 0xC0..0xDE map 0x20 up; 0xD7 is the multiplication sign.
  for (int c = 0xC0; c <= 0xDE; ++c)
    if (c != 0xD7) letter(c, c + 0x20);
  table.AlphaNumeric[0xDF] = true;  // sharp s has no capital in this code page
  letter(0x8A, 0x9A);  // S caron
  letter(0x8C, 0x9C);  // OE ligature
  letter(0x8E, 0x9E);  // Z caron
  letter(0x9F, 0xFF);  // Y diaeresis
  // f hook, modifier circumflex, ordinals, micro: letters without a case pair.
  for (int c : {0x83, 0x88, 0xAA, 0xB5, 0xBA}) table.AlphaNumeric[c] = true;
  // Superscript digits count as digits to the system.
  for (int c : {0xB2, 0xB3, 0xB9}) table.AlphaNumeric[c] = true;
}

const TCharClassTable& CharClasses() {
  if (!gBuilt) {
    gSource(gTable);
    gBuilt = true;
  }
  return gTable;
}

TCharClassSource SetCharClassSource(TCharClassSource source) {
  TCharClassSource previous = gSource;
  gSource = source ? source : &Cp1252CharClasses;
  gSource(gTable);
  gBuilt = true;
  return previous;
}
