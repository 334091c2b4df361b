// The five character sets the hex view can show bytes in: how a byte looks
// in the character pane, which byte a typed ANSI character stands for, how a
// search text becomes bytes of the set, and the case folding a search
// without case uses. The OEM code page comes from one place, as the
// editor's character classes do: the system's conversions under Windows
// (win/HexSystemWin.cpp), a code page 437 table natively.
#pragma once

#include <array>
#include <cstdint>
#include <string>

enum TTranslationType { ttAnsi, ttDos8, ttASCII, ttMac, ttEBCDIC };

using THexByteTable = std::array<uint8_t, 256>;

// ANSI <-> OEM as the system converts single bytes.
struct THexOemTables {
  THexByteTable ToOem;    // ANSI byte -> OEM byte
  THexByteTable FromOem;  // OEM byte -> ANSI byte
};
using THexOemSource = void (*)(THexOemTables& tables);

// Code page 437 against code page 1252, as the system pairs them.
void Cp437OemTables(THexOemTables& tables);
// The tables of the system this program runs on.
void SystemOemTables(THexOemTables& tables);
// The installed source's tables, built on first use.
const THexOemTables& OemTables();
// Installs another source (nullptr: the system's) and returns the previous one.
THexOemSource SetOemSource(THexOemSource source);

const THexByteTable& MacToAnsiTable();
const THexByteTable& AnsiToMacTable();
const THexByteTable& EbcdicToAnsiTable();  // 0 where EBCDIC has no character
const THexByteTable& AnsiToEbcdicTable();  // 0 where EBCDIC has no such character

// The character the byte shows in the character pane.
char HexDisplayChar(uint8_t byte, TTranslationType translation, char maskChar);

// The byte a character typed in the character pane stands for; 0 when the
// set takes no such character.
uint8_t HexTypedByte(uint8_t ansiChar, TTranslationType translation);

// Turns an ANSI search text into bytes of the set, in place. False when a
// character has no byte in the set (the search then finds nothing rather
// than a stand-in).
bool HexConvertSearchText(std::string& text, TTranslationType translation);

// Folding for searches without case: a byte's character in the set,
// lower-cased in ANSI; a byte with no character folds to itself. With
// translate false (raw bytes) every set folds as ANSI.
THexByteTable HexFoldTable(TTranslationType translation);
