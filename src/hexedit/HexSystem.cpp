// Working-copy names.
#include "hexedit/HexSystem.h"

#include <cerrno>
#include <chrono>

#include "platform/SysUtils.h"

std::string ClaimTempFile() {
  const std::string folder = HexTempFolder();
  const auto tick = std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::steady_clock::now().time_since_epoch()).count();
  uint32_t number = uint32_t(tick);
  for (int attempt = 0; attempt < 4096; ++attempt, ++number) {
    const std::string name = folder + IntToHex(number, 8) + ".ZOVT";
    const TFileHandle h = FileCreateNew(name);
    if (h != InvalidFileHandle) {
      FileClose(h);
      return name;
    }
    // Only a name that is taken is worth another try; a folder that cannot
    // be written fails every name. The create's own answer says which: a
    // second look could find the name free again, once another instance
    // has deleted its working copy.
    if (GetLastOSError() != EEXIST) return std::string();
  }
  return std::string();
}
