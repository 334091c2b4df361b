// Byte-level code-page work of the editor: the conversion of a whole text
// between the DOS and the Windows Cyrillic code pages, and what each byte of
// the system's ANSI code page stands for in Unicode (the HTML exporter writes
// every non-ASCII character as a reference to it).
//
// Natively a code page 1252 table answers; the Win32 half installs a source
// that asks the system (see win/CodePageWin.h), as CharClasses.h does for
// character classes. Lead bytes of double-byte code pages come from
// CharClasses().LeadByte.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

using TktByteTable = std::array<uint8_t, 256>;

// DOS to Windows: $80..$AF +$40, $B0..$BF -$10, $C0..$DF -$40, $E0..$EF +$10,
// $F0..$FF -$40. Windows to DOS is its exact inverse: $80..$9F +$40,
// $A0..$AF +$10, $B0..$BF +$40, $C0..$EF -$40, $F0..$FF -$10. Both are
// permutations of the 256 byte values, so converting there and back gives
// every file back unchanged.
const TktByteTable& DosToWinTable();
const TktByteTable& WinToDosTable();

// Maps every byte of text[0, size) through table, in place.
void TranslateBytes(char* text, size_t size, const TktByteTable& table);
inline void TranslateBytes(std::string& text, const TktByteTable& table) {
  TranslateBytes(text.data(), text.size(), table);
}

// The Unicode character each byte of the ANSI code page stands for. Lead
// bytes of a double-byte code page hold 0 and are resolved in pairs.
struct TAnsiCodePage {
  char32_t Unicode[256];
  // The character of a lead byte and its trail byte; U+FFFD when the pair
  // means nothing. nullptr for a single-byte code page.
  char32_t (*DoubleByte)(uint8_t lead, uint8_t trail) = nullptr;
};

// Fills a table; must set every entry.
using TAnsiCodePageSource = void (*)(TAnsiCodePage& codePage);

// Code page 1252 (Western European); its five unassigned bytes stand for the
// C1 control characters of the same number, as the system converts them.
void Cp1252CodePage(TAnsiCodePage& codePage);

// The table of the installed source, built on first use and valid for the
// life of the process; installing another source rebuilds it in place.
const TAnsiCodePage& AnsiCodePage();

// Installs another source (nullptr restores code page 1252) and returns the
// previous one. Meant for start-up, before any export runs.
TAnsiCodePageSource SetAnsiCodePageSource(TAnsiCodePageSource source);
