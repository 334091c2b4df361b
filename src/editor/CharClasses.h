// The one place the editor learns how the system classifies single-byte
// characters: the lower-case form used for case-insensitive comparison,
// which characters are alphanumeric (word boundaries) and which bytes lead
// a double-byte character. Natively a code page 1252 table answers; the
// Win32 half installs a source that asks the system for its code page.
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

// The table of the installed source, built on first use. Stays valid for the
// life of the process; installing another source rebuilds it in place.
const TCharClassTable& CharClasses();

// Installs another source (nullptr restores code page 1252) and returns the
// previous one. Meant for start-up, before any search or editor exists.
TCharClassSource SetCharClassSource(TCharClassSource source);
