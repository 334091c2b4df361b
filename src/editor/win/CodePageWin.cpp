// The ANSI code page's characters through MultiByteToWideChar.
#include "editor/win/CodePageWin.h"

#include "platform/win/WinApi.h"

namespace {

// One UTF-16 sequence of one or two units as a character; U+FFFD otherwise.
char32_t FromUtf16(const wchar_t* units, int count) {
  if (count == 1) return char32_t(units[0]);
  if (count == 2 && units[0] >= 0xD800 && units[0] < 0xDC00 && units[1] >= 0xDC00 &&
      units[1] < 0xE000)
    return 0x10000 + ((char32_t(units[0]) - 0xD800) << 10) + (char32_t(units[1]) - 0xDC00);
  return 0xFFFD;
}

char32_t Convert(const char* bytes, int size) {
  wchar_t units[4];
  const int n = ::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes, size, units, 4);
  return n > 0 ? FromUtf16(units, n) : 0xFFFD;
}

char32_t SystemDoubleByte(uint8_t lead, uint8_t trail) {
  const char pair[2] = {char(lead), char(trail)};
  return Convert(pair, 2);
}

}  // namespace

void SystemAnsiCodePage(TAnsiCodePage& codePage) {
  bool doubleByte = false;
  for (int b = 0; b < 256; ++b) {
    if (::IsDBCSLeadByteEx(CP_ACP, BYTE(b))) {
      codePage.Unicode[b] = 0;
      doubleByte = true;
      continue;
    }
    const char byte = char(b);
    // Without the error flag: a byte the code page leaves unassigned comes
    // back as the system's own stand-in, never as nothing.
    wchar_t units[4];
    const int n = ::MultiByteToWideChar(CP_ACP, 0, &byte, 1, units, 4);
    codePage.Unicode[b] = n > 0 ? FromUtf16(units, n) : 0xFFFD;
  }
  codePage.DoubleByte = doubleByte ? &SystemDoubleByte : nullptr;
}
