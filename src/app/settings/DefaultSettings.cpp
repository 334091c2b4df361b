// The default settings as tables of the stored values.
#include "app/settings/DefaultSettings.h"

#include <string>
#include <vector>

#include "app/settings/FileTypes.h"
#include "platform/Registry.h"
#include "platform/SysUtils.h"

namespace {

struct THighlighterAttributes {
  const char* Component;
  std::vector<const char*> Attributes;
};

// The data module's highlighters and their token styles, in the order written.
const THighlighterAttributes kHighlighters[] = {
    {"Assembler", {"CommentAttri", "IdentifierAttri", "KeyAttri", "NumberAttri", "SpaceAttri", "StringAttri",
                   "SymbolAttri"}},
    {"Batch", {"CommentAttri", "IdentifierAttri", "KeyAttri", "NumberAttri", "SpaceAttri", "VariableAttri"}},
    {"C", {"AsmAttri", "CommentAttri", "DirecAttri", "IdentifierAttri", "KeyAttri", "InvalidAttri",
           "NumberAttri", "SpaceAttri", "StringAttri", "SymbolAttri"}},
    {"Dfm", {"CommentAttri", "IdentifierAttri", "KeyAttri", "NumberAttri", "SpaceAttri", "StringAttri"}},
    {"Fortran", {"CommentAttri", "IdentifierAttri", "KeyAttri", "NumberAttri", "SpaceAttri", "StringAttri",
                 "SymbolAttri"}},
    {"HTML1", {"AndAttri", "ASPAttri", "CommentAttri", "IdentifierAttri", "KeyAttri", "SpaceAttri",
               "SymbolAttri", "UndefKeyAttri", "TextAttri", "ValueAttri"}},
    {"Ini", {"CommentAttri", "KeyAttri", "NumberAttri", "SectionAttri", "SpaceAttri", "StringAttri",
             "SymbolAttri", "TextAttri"}},
    {"Java", {"CommentAttri", "DocumentAttri", "IdentifierAttri", "InvalidAttri", "KeyAttri", "NumberAttri",
              "SpaceAttri", "StringAttri", "SymbolAttri"}},
    {"JScript", {"CommentAttri", "IdentifierAttri", "KeyAttri", "NumberAttri", "SpaceAttri", "StringAttri",
                 "SymbolAttri"}},
    {"Pascal", {"AsmAttri", "CommentAttri", "IdentifierAttri", "KeyAttri", "NumberAttri", "SpaceAttri",
                "StringAttri", "SymbolAttri"}},
    {"Perl", {"CommentAttri", "IdentifierAttri", "InvalidAttri", "KeyAttri", "NumberAttri", "OperatorAttri",
              "PragmaAttri", "SpaceAttri", "StringAttri", "SymbolAttri", "VariableAttri"}},
    {"SQL", {"CommentAttri", "IdentifierAttri", "KeyAttri", "NumberAttri", "StringAttri", "SymbolAttri",
             "VariableAttri", "ParameterAttri"}},
    {"VbScript", {"CommentAttri", "IdentifierAttri", "KeyAttri", "NumberAttri", "SpaceAttri", "StringAttri",
                  "SymbolAttri"}},
    {"VisualBasic", {"CommentAttri", "IdentifierAttri", "NumberAttri", "SpaceAttri", "StringAttri",
                     "SymbolAttri", "KeyAttri"}},
};

constexpr int kWhite = 16777215, kNavy = 8388608, kGreen = 32768, kRed = 255, kBlue = 16711680,
              kMaroon = 128, kPurple = 8388736, kYellow = 65535, kBlack = 0;

bool Is(const std::string& a, const char* b) { return a == b; }

int DefaultBackground(const std::string& component, const std::string& attr) {
  return Is(component, "HTML1") && Is(attr, "ASPAttri") ? kYellow : kWhite;
}

int DefaultForeground(const std::string& component, const std::string& attr) {
  const bool html = Is(component, "HTML1");
  if (Is(attr, "CommentAttri")) return kNavy;
  if (Is(attr, "KeyAttri") || (html && Is(attr, "UndefKeyAttri"))) return kGreen;
  if (Is(attr, "StringAttri") || (html && Is(attr, "ValueAttri"))) return kRed;
  if (Is(attr, "SpaceAttri")) return kWhite;
  if (((Is(component, "C") || Is(component, "Pascal")) && Is(attr, "AsmAttri")) ||
      (Is(component, "Batch") && Is(attr, "VariableAttri")) || (Is(component, "Ini") && Is(attr, "SectionAttri")) ||
      (html && (Is(attr, "ASPAttri") || Is(attr, "TextAttri"))))
    return kBlue;
  if (html && Is(attr, "SymbolAttri")) return kMaroon;
  // White on white would hide SQL's variables and parameters: they take the
  // SQL highlighter's own purple and maroon.
  if (Is(component, "SQL") && Is(attr, "VariableAttri")) return kPurple;
  if (Is(component, "SQL") && Is(attr, "ParameterAttri")) return kMaroon;
  return kBlack;
}

struct TSetting {
  const char* Name;
  const char* Value;
};

const TSetting kSetup[] = {
    {"Extraspacing_Value", "0"},
    {"Maxlength_Value", "255"},
    {"Tabwidth_Value", "1"},
    {"UndoLimit_Value", "1000"},
    {"RightEdge_Value", "80"},
    {"Selmode_ItemIndex", "0"},
    {"SmartTabs_Checked", "True"},
    {"TabsToSpaces_Checked", "True"},
    {"DragDropEditing_Checked", "True"},
    {"ScrollPastEol_Checked", "True"},
    {"HalfPageScroll_Checked", "False"},
    {"AutoIndent_Checked", "True"},
    {"ShowScrollHint_Checked", "True"},
    {"InsertMode_Checked", "True"},
    {"ReopenCount_Value", "10"},
    {"ShowGutter_Checked", "True"},
    {"Autosize_Checked", "False"},
    {"Showlines_Checked", "False"},
    {"GutterWidth_Value", "30"},
    {"Fontsize_Value", "12"},
    {"Italic_Checked", "False"},
    {"Bold_Checked", "False"},
    {"test_Color", "16777215"},
    {"test_RightEdge", "13"},
    {"test_RightEdgeColor", "8421504"},
    {"test_SelectedColorBackground", "8388608"},
    {"test_SelectedColorForeground", "16777215"},
    {"test_FontName", "FixedSys"},
    {"test_FontCharset", "1"},
};

void OpenOrRaise(TRegistry& reg, const std::string& key) {
  if (!reg.OpenKey(key, true)) throw ERegistryException("Failed to create key " + key);
}

}  // namespace

void WriteDefaultSettings() {
  TRegistry reg;
  OpenOrRaise(reg, ProgramRegistryKey() + "\\Data");
  for (const THighlighterAttributes& h : kHighlighters)
    for (const char* attr : h.Attributes) {
      const std::string prefix = std::string(h.Component) + "_" + attr;
      reg.WriteString(prefix + "Background", IntToStr(DefaultBackground(h.Component, attr)));
      reg.WriteString(prefix + "Foreground", IntToStr(DefaultForeground(h.Component, attr)));
      reg.WriteString(prefix + "Style", "[]");
    }
  reg.WriteString("Pascal_DefaultFilter", "Pascal files (*.pas,*.dpr,*.dpk,*.inc)|*.pas;*.dpr;*.dpk;*.inc");
  reg.WriteString("SaveDialog_InitialDir", "");
  reg.CloseKey();

  // The table in memory becomes the default one too: the installer's exit
  // save then writes back these rows rather than what it loaded at start.
  SetDefaultFileTypes();

  OpenOrRaise(reg, ProgramRegistryKey() + "\\Setup");
  for (const TSetting& s : kSetup) reg.WriteString(s.Name, s.Value);
  reg.CloseKey();
}

bool IsFirstRun() {
  TRegistry reg;
  if (!reg.OpenKeyReadOnly(ProgramRegistryKey())) return true;
  return !reg.ValueExists("Version");
}
