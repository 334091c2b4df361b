// An INI file of hostile bytes: reading it never fails, and writing a value
// then reading it back gives that value while every other entry reads as
// before. The first byte picks which entry is rewritten.
#include <filesystem>
#include <fstream>
#include <map>
#include <unistd.h>

#include "FuzzCheck.h"
#include "platform/IniFiles.h"
#include "platform/Classes.h"
#include "platform/SysUtils.h"

namespace {

std::string TempIniName() {
  static const std::string name =
      (std::filesystem::temp_directory_path() / ("tq-ini-fuzz-" + std::to_string(getpid()) + ".ini"))
          .string();
  return name;
}

// Every (section, name) the reader lists, with what it reads for it; the
// first of duplicates wins, as for the reader.
using TEntries = std::vector<std::pair<std::pair<std::string, std::string>, std::string>>;

TEntries ReadAll(TIniFile& ini) {
  TEntries entries;
  TStringList sections;
  ini.ReadSections(&sections);
  for (int s = 0; s < sections.GetCount(); ++s) {
    TStringList names;
    ini.ReadSection(sections.Get(s), &names);
    for (int n = 0; n < names.GetCount(); ++n)
      entries.push_back({{sections.Get(s), names.Get(n)},
                         ini.ReadString(sections.Get(s), names.Get(n), "\x01")});
  }
  return entries;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0 || size > 8192) return 0;
  const std::string name = TempIniName();
  {
    std::ofstream out(name, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data) + 1, std::streamsize(size - 1));
  }
  TIniFile ini(name);
  const TEntries before = ReadAll(ini);
  if (before.empty()) return 0;
  const std::string section = before[data[0] % before.size()].first.first;
  const std::string ident = before[data[0] % before.size()].first.second;
  // A value the format can hold: one line, no blanks or quotes at its ends.
  const std::string value = "v" + std::to_string(size) + "x";
  try {
    ini.WriteString(section, ident, value);
  } catch (const Exception&) {
    return 0;  // (an unwritable temporary folder is not a finding)
  }
  FUZZ_CHECK(ini.ReadString(section, ident, "") == value, "a written value does not read back");
  for (const auto& [otherKey, otherValue] : before) {
    if (SameText(otherKey.first, section) && SameText(otherKey.second, ident)) continue;
    FUZZ_CHECK(ini.ReadString(otherKey.first, otherKey.second, "\x01") == otherValue,
               "writing [" + section + "] " + ident + " changed [" + otherKey.first + "] " +
                   otherKey.second);
  }
  return 0;
}
