#include "app/documents/StatusTexts.h"

#include <cstdio>

#include "platform/SysUtils.h"

std::string CaretPanelText(int line, int column) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%3d:%3d", line, column);
  return buf;
}

std::string HexOffsetPanelText(int64_t offset) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "0x%llX", static_cast<unsigned long long>(offset));
  return buf;
}

std::string LengthPanelText(int64_t length) {
  std::string digits = std::to_string(length);
  if (length > 1000000) digits.insert(digits.size() - 6, "`");
  if (length > 1000) digits.insert(digits.size() - 3, "`");
  return digits;
}

namespace {

// A highlighter component's name, in any case, and a text for it.
struct TComponentText {
  const char* Component;
  const char* Text;
};

template <size_t N>
std::string TextOfComponent(const TComponentText (&table)[N], const std::string& component) {
  for (const TComponentText& row : table)
    if (SameText(component, row.Component)) return row.Text;
  return std::string();
}

}  // namespace

std::string HighlighterDisplayName(const std::string& component) {
  static const TComponentText names[] = {
      {"HTML", "HTML"},         {"Pascal", "Delphi"},         {"Ini", "Ini"},
      {"Dfm", "Delphi Form"},   {"Batch", "MS DOS Batch"},    {"SQL", "SQL"},
      {"C", "C/C++"},           {"Fortran", "Fortran"},       {"Java", "Java"},
      {"JScript", "JavaScript"}, {"VbScript", "VBScript"},    {"Perl", "Perl"},
      {"VisualBasic", "Visual Basic"}, {"Assembler", "Assembler"},
  };
  return TextOfComponent(names, component);
}

TMainCaptions MainCaptions(bool hasDocument, bool textView, const std::string& tabCaption,
                           const std::string& fileName) {
  if (hasDocument && textView && !Trim(tabCaption).empty())
    return {"Tarnquill - " + fileName, "TQ : " + tabCaption};
  return {"Tarnquill", "Tarnquill"};
}

TStatusClick StatusClickAt(int x) {
  if (x < 70) return scGoToLine;
  if (x >= 71 && x <= 169) return scHighlightMenu;
  if (x >= 251 && x <= 309) return scMacroMenu;
  if (x >= 311 && x <= 369) return scSave;
  if (x >= 371 && x <= 395) return scToggleEol;
  if (x > 396) return scOpen;
  return scNothing;
}

bool StatusClickNeedsDocument(TStatusClick click) {
  return click == scGoToLine || click == scMacroMenu || click == scSave || click == scToggleEol;
}

std::string LanguageListEntry(const std::string& component) {
  static const TComponentText entries[] = {
      {"dfm", "Delphi/C++ Forms"}, {"Fortran", "Fortran"},        {"HTML", "HTML"},
      {"INI", "INI"},              {"Java", "Java"},              {"Jscript", "Java script"},
      {"VBScript", "VBScript"},    {"Batch", "MS-DOS Batch"},     {"Perl", "Perl"},
      {"SQL", "SQL"},              {"visualbasic", "Visual Basic"}, {"assembler", "x86 Assembly"},
      {"C", "C++"},
  };
  return TextOfComponent(entries, component);
}

std::string HighlightAsComponent(const std::string& actionName) {
  return actionName.size() > 5 ? actionName.substr(5) : std::string();
}
