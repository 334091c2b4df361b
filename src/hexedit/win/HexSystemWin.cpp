// The temporary folder and the OEM conversions, from the system.
#include <windows.h>

#include "hexedit/HexSystem.h"
#include "hexedit/HexTranslations.h"
#include "platform/SysUtils.h"

std::string HexTempFolder() {
  char path[MAX_PATH + 1] = {};
  const DWORD n = ::GetTempPathA(MAX_PATH, path);
  return IncludeTrailingPathDelimiter(Trim(std::string(path, n <= MAX_PATH ? n : 0)));
}

void SystemOemTables(THexOemTables& tables) {
  char all[256];
  for (int i = 0; i < 256; ++i) all[i] = char(i);
  char out[256];
  ::CharToOemBuffA(all, out, 256);
  for (int i = 0; i < 256; ++i) tables.ToOem[i] = uint8_t(out[i]);
  ::OemToCharBuffA(all, out, 256);
  for (int i = 0; i < 256; ++i) tables.FromOem[i] = uint8_t(out[i]);
}
