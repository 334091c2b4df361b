// The system's own character classes for its ANSI code page, asked once:
// lower case through CharLowerBuff, letters and digits through
// IsCharAlphaNumeric, lead bytes through IsDBCSLeadByte and the word classes
// through GetStringType.
#include "editor/CharClasses.h"

#include "platform/win/WinApi.h"

void SystemCharClasses(TCharClassTable& table) {
  char bytes[256];
  for (int i = 0; i < 256; ++i) bytes[i] = static_cast<char>(i);

  char lower[256];
  for (int i = 0; i < 256; ++i) lower[i] = bytes[i];
  // Byte 0 would end nothing here: CharLowerBuff takes a length.
  ::CharLowerBuffA(lower, 256);

  WORD ctype3[256] = {};
  if (!::GetStringTypeA(LOCALE_SYSTEM_DEFAULT, CT_CTYPE3, bytes, 256, ctype3)) {
    // Without the system's answer the code page 1252 classes stand in whole,
    // so the table never mixes two sources.
    Cp1252CharClasses(table);
    return;
  }
  for (int i = 0; i < 256; ++i) {
    table.Lower[i] = static_cast<uint8_t>(lower[i]);
    table.AlphaNumeric[i] = i != 0 && ::IsCharAlphaNumericA(bytes[i]) != FALSE;
    table.LeadByte[i] = ::IsDBCSLeadByte(static_cast<BYTE>(i)) != FALSE;
    table.CType3[i] = ctype3[i];
  }
}
