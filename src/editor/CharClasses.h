// The one place the editor learns how the system classifies single-byte
// characters: the lower-case form used for case-insensitive comparison,
// which characters are alphanumeric (word boundaries) and which bytes lead
// a double-byte character. Under Windows the system answers for its code
// page (win/CharClassesWin.cpp defines SystemCharClasses there); elsewhere
// a code page 1252 table does (CharClassesDefault.cpp).
#pragma once

#include <cstdint>

struct TCharClassTable {
  uint8_t Lower[256];        // the system's lower-case mapping of every byte
  bool AlphaNumeric[256];    // the system counts the byte as a letter or digit
  bool LeadByte[256];        // the byte starts a double-byte character
  uint16_t CType3[256];      // the system's C3_ string-type flags of the byte (word selection)
};

// Fills a table; must set every entry.
using TCharClassSource = void (*)(TCharClassTable& table);

// Code page 1252 (Western European), the classes the system reports for it.
void Cp1252CharClasses(TCharClassTable& table);

// The classes of the system this program runs on; the source CharClasses()
// starts with.
void SystemCharClasses(TCharClassTable& table);

// The table of the installed source, built on first use. Stays valid for the
// life of the process; installing another source rebuilds it in place.
const TCharClassTable& CharClasses();

// Installs another source (nullptr restores SystemCharClasses) and returns
// the previous one. Meant for tests and start-up, before any search exists.
TCharClassSource SetCharClassSource(TCharClassSource source);
