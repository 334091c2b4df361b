// The temporary folder and OEM tables where there is no Windows: TMPDIR (or
// /tmp) and code page 437.
#include <cstdlib>

#include "hexedit/HexSystem.h"
#include "hexedit/HexTranslations.h"
#include "platform/SysUtils.h"

std::string HexTempFolder() {
  const char* dir = std::getenv("TMPDIR");
  return IncludeTrailingPathDelimiter(Trim(dir && *dir ? dir : "/tmp"));
}

void SystemOemTables(THexOemTables& tables) { Cp437OemTables(tables); }
