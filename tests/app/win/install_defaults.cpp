// Prepares a fresh prefix for starting Tarnquill.exe without its installer:
// the default settings, then "Version" and "Path" (given as argument 1, the
// program's Windows path), which a start looks for to know it was set up.
#include <cstdio>
#include <string>

#include "app/settings/DefaultSettings.h"
#include "platform/Registry.h"

int main(int argc, char** argv) {
  try {
    WriteDefaultSettings();
    TRegistry registry;
    if (!registry.OpenKey(ProgramRegistryKey(), true)) return 2;
    registry.WriteString("Version", "1.0.0.0");
    registry.WriteString("Path", argc > 1 ? argv[1] : "");
  } catch (const Exception& e) {
    std::fprintf(stderr, "%s\n", e.Message().c_str());
    return 1;
  }
  return 0;
}
