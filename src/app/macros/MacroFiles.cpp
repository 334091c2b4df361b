// Macro file names and the Macro menu's items.
#include "app/macros/MacroFiles.h"

#include <cctype>

#include "platform/SysUtils.h"

std::string MacroNameProblem(const std::string& name) {
  if (name.empty()) return "Please enter a name for the macro.";
  for (unsigned char c : name) {
    if (c < 32) return "A macro name cannot contain control characters.";
    if (std::string_view("\\/:*?\"<>|").find(char(c)) != std::string_view::npos)
      return "A macro name cannot contain any of these characters: \\ / : * ? \" < > |";
  }
  if (name.back() == '.') return "A macro name cannot end with a dot.";
  // The system takes these as devices, with any extension.
  std::string stem = UpperCase(name.substr(0, name.find('.')));
  while (!stem.empty() && stem.back() == ' ') stem.pop_back();
  static const char* const kDevices[] = {"CON", "PRN", "AUX", "NUL"};
  bool device = false;
  for (const char* d : kDevices) device = device || stem == d;
  if (stem.size() == 4 && (stem.compare(0, 3, "COM") == 0 || stem.compare(0, 3, "LPT") == 0) &&
      stem[3] >= '1' && stem[3] <= '9')
    device = true;
  if (device) return Format("\"%s\" is the name of a device and cannot be a macro name.", name.c_str());
  return std::string();
}

TMacroMenuItem MacroMenuItem(const std::string& fileName) {
  const size_t extension = std::string(kMacroExtension).size();
  const std::string name = fileName.size() >= extension ? fileName.substr(0, fileName.size() - extension) : "";
  return {fileName, StringReplaceAll(name, "&", "&&")};
}

std::vector<TMacroMenuItem> ListMacroFiles(const std::string& folder) {
  std::vector<TMacroMenuItem> items;
  const std::string prefix = folder.empty() ? std::string() : IncludeTrailingPathDelimiter(folder);
  TSearchRec rec;
  for (int found = FindFirst(prefix + "*" + kMacroExtension, faAnyFile, rec); found == 0; found = FindNext(rec)) {
    if (rec.Attr & faDirectory) continue;
    // The pattern also matches longer extensions through short names.
    if (!SameText(ExtractFileExt(rec.Name), kMacroExtension)) continue;
    items.push_back(MacroMenuItem(rec.Name));
  }
  FindClose(rec);
  return items;
}

int DeleteMacroFiles(const std::string& folder) {
  const std::string prefix = folder.empty() ? std::string() : IncludeTrailingPathDelimiter(folder);
  int failed = 0;
  for (const TMacroMenuItem& item : ListMacroFiles(folder))
    if (!FileDelete(prefix + item.FileName)) ++failed;
  return failed;
}
