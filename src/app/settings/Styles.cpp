// The styles page's rules.
#include "app/settings/Styles.h"

#include "app/Data.h"
#include "editor/HighlightAttributes.h"
#include "platform/SysUtils.h"
#include "platform/TypInfo.h"

const TColor kPalette[72] = {
    0x000000, 0x000080, 0x008000, 0x008080, 0x000032, 0x0084FF, 0x7800FF, 0x736FFF,
    0x800000, 0x800080, 0x808000, 0x808080, 0x003200, 0x00FFC4, 0xC4FF00, 0x358A2F,
    0xC0C0C0, 0x0000FF, 0x00FF00, 0x00FFFF, 0x320000, 0xFF008C, 0xFF9700, 0xFF9791,
    0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF, 0x4F4F99, 0x1C1E62, 0x006400, 0x9F3B62,
    0xFFEEFF, 0xEEFFFF, 0xFFFFEE, 0xFFEEEE, 0xEEFFEE, 0xEEEEFF, 0xEEEEEE, 0xDDDDDD,
    0xAAEEEE, 0xEEAAEE, 0xEEEEAA, 0xAAAAEE, 0xAAEEAA, 0xEEAAAA, 0xAAAAAA, 0xCCCCCC,
    0x99DDDD, 0xEE99EE, 0xEEEE99, 0x9999AA, 0xAA99AA, 0xAAAA99, 0x777777, 0x888888,
    0x200000, 0x002000, 0x000020, 0x202000, 0x200020, 0x002020, 0x202020, 0x404040,
    0x402020, 0x204020, 0x202040, 0x204040, 0x402040, 0x404020, 0x606060, 0x101010,
};

TColor ContrastColor(TColor c) {
  const int red = c & 0xFF, green = (c >> 8) & 0xFF, blue = (c >> 16) & 0xFF;
  if (red >= 128 && (green >= 128 || blue >= 128)) return clBlack;
  if (green < 128 || blue < 128) return clWhite;
  return clBlack;
}

std::string PaletteCaption(TColor panel, TColor foreground, TColor background) {
  if (panel == background) return "BG";
  if (panel == foreground) return "FG";
  return std::string();
}

const TCharsetName kCharsets[19] = {
    {"ANSI_CHARSET", 0},        {"DEFAULT_CHARSET", 1},    {"SYMBOL_CHARSET", 2},
    {"MAC_CHARSET", 77},        {"SHIFTJIS_CHARSET", 128}, {"HANGEUL_CHARSET", 129},
    {"JOHAB_CHARSET", 130},     {"GB2312_CHARSET", 134},   {"CHINESEBIG5_CHARSET", 136},
    {"GREEK_CHARSET", 161},     {"TURKISH_CHARSET", 162},  {"VIETNAMESE_CHARSET", 163},
    {"HEBREW_CHARSET", 177},    {"ARABIC_CHARSET", 178},   {"BALTIC_CHARSET", 186},
    {"RUSSIAN_CHARSET", 204},   {"THAI_CHARSET", 222},     {"EASTEUROPE_CHARSET", 238},
    {"OEM_CHARSET", 255},
};

int CharsetIndex(int charset) {
  if (charset > 254) charset = 255;
  for (int i = 0; i < 19; ++i)
    if (kCharsets[i].Value == charset) return i;
  return -1;
}

const char* const kStyleExampleLines[7] = {"Normal Text", "Normal Text", "", "Selected Text",
                                           "Selected Text", "", ""};

const std::vector<TStyleLanguage>& StyleLanguages() {
  static const std::vector<TStyleLanguage> languages = {
      {"Pascal", "Pascal", "Pascal",
       {"String", "Number", "Key", "Symbol", "Asm", "Comment", "Identifier", "Space"},
       "{ Syntax highlighting }\r\nprocedure TForm1.Button1Click(Sender: TObject);\r\n"
       "var\r\n  Number, I: Integer;\r\nbegin\r\n  Number := 123 + $FF;\r\n"
       "  Caption := 'The number is ' + IntToStr(Number);\r\n  asm\r\n    MOV AX, 1234H\r\n"
       "  end;\r\nend;"},
      {"C++", "C", "C",
       {"Asm", "Comment", "Direc", "Identifier", "Key", "Invalid", "Number", "Space", "String", "Symbol"},
       "/* Syntax highlighting */\r\n#include <stdio.h>\r\n\r\nint main(void)\r\n{\r\n"
       "  int number = 123 + 0xFF;\r\n  printf(\"The number is %d\\n\", number);\r\n"
       "  return 0; @\r\n}"},
      {"Delphi/C++ Forms", "Dfm", "Dfm", {"Comment", "Identifier", "Key", "Number", "Space", "String"},
       "object Form1: TForm1\r\n  Left = 200\r\n  Top = 108\r\n  Caption = 'Form1'\r\n"
       "  object Button1: TButton\r\n    Caption = 'OK'\r\n  end\r\nend"},
      {"Fortran", "Fortran", "Fortran",
       {"Comment", "Identifier", "Key", "Number", "Space", "String", "Symbol"},
       "C Syntax highlighting\r\n      PROGRAM SAMPLE\r\n      INTEGER N\r\n      N = 123 + 45\r\n"
       "      WRITE (*,*) 'The number is ', N\r\n      END"},
      {"HTML", "HTML1", "HTML",
       {"And", "ASP", "Comment", "Identifier", "Key", "Space", "Symbol", "UndefKey", "Text", "Value"},
       "<!-- Syntax highlighting -->\r\n<html>\r\n<body bgcolor=\"#FFFFFF\">\r\n"
       "<p align=center>Text &amp; more text</p>\r\n<%= Now %>\r\n<bogus>\r\n"
       "<script language=\"JavaScript\">\r\nvar n = 1;\r\n</script>\r\n</body>\r\n</html>"},
      {"INI", "Ini", "Ini", {"Comment", "Key", "Number", "Section", "Space", "String", "Symbol", "Text"},
       "; Syntax highlighting\r\n[Section]\r\nKey=Value\r\nNumber=123\r\nQuoted=\"Text\""},
      {"Java", "Java", "Java",
       {"Comment", "Document", "Identifier", "Invalid", "Key", "Number", "Space", "String", "Symbol"},
       "/** Syntax highlighting */\r\npublic class Sample {\r\n  // a comment\r\n"
       "  public static void main(String[] args) {\r\n    int number = 123 + 0xFF;\r\n"
       "    System.out.println(\"The number is \" + number); #\r\n  }\r\n}"},
      {"Java script", "JScript", "JScript",
       {"Comment", "Identifier", "Key", "Number", "Space", "String", "Symbol"},
       "// Syntax highlighting\r\nfunction sample(text) {\r\n  var number = 123;\r\n"
       "  alert(\"The number is \" + number);\r\n}"},
      {"VBScript", "VbScript", "VbScript",
       {"Comment", "Identifier", "Key", "Number", "Space", "String", "Symbol"},
       "' Syntax highlighting\r\nSub Sample\r\n  Dim Number\r\n  Number = 123 + 4\r\n"
       "  MsgBox \"The number is \" & Number\r\nEnd Sub"},
      {"MS-DOS Batch", "Batch", "Batch", {"Comment", "Identifier", "Key", "Number", "Space", "Variable"},
       "rem Syntax highlighting\r\n@echo off\r\nset NUMBER=123\r\n"
       "if exist %1 copy %1 backup\\ > nul\r\necho The number is %NUMBER%"},
      {"Perl", "Perl", "Perl",
       {"Comment", "Identifier", "Invalid", "Key", "Number", "Operator", "Pragma", "Space", "String", "Symbol",
        "Variable"},
       "# Syntax highlighting\r\nuse strict;\r\nmy $number = 123 + 0xFF;\r\n"
       "print \"The number is $number\\n\" if $number eq 378;"},
      {"SQL", "SQL", "SQL",
       {"Comment", "Identifier", "Key", "Number", "String", "Symbol", "Variable", "Parameter"},
       "-- Syntax highlighting\r\nSELECT Name, Price * 2\r\nFROM Items\r\n"
       "WHERE Price > 123 AND Name = 'Text' AND Id = :Id;"},
      {"Visual Basic", "VisualBasic", "VisualBasic",
       {"Comment", "Identifier", "Key", "Number", "Space", "String", "Symbol"},
       "' Syntax highlighting\r\nPrivate Sub Command1_Click()\r\n  Dim Number As Integer\r\n"
       "  Number = 123 + &HFF\r\n  MsgBox \"The number is \" & Number\r\nEnd Sub"},
      {"x86 Assembly", "Assembler", "Assembler",
       {"Comment", "Identifier", "Key", "Number", "Space", "String", "Symbol"},
       "; Syntax highlighting\r\nstart:  mov  ax, 1234h\r\n        add  ax, [bx+2]\r\n"
       "        jmp  start\r\nmsg     db   'Text', 0"},
      {"ADSP Assembly", "ADSP", "ADSP",
       {"Comment", "Condition", "Identifier", "Key", "Number", "Register", "Space", "String", "Symbol"},
       "{ Syntax highlighting }\r\n.MODULE/RAM sample;\r\n        AX0 = 123;\r\n"
       "        IF EQ JUMP done;\r\ndone:   RTS;\r\n.ENDMOD;"},
  };
  return languages;
}

const TStyleLanguage* FindStyleLanguage(const std::string& item) {
  for (const TStyleLanguage& l : StyleLanguages())
    if (item == l.Item) return &l;
  return nullptr;
}

namespace {

TktHighLightAttributes* PublishedAttribute(TktCustomHighLighter* hl, const std::string& property) {
  if (!hl || !hl->ClassInfo()) return nullptr;
  const TPropInfo* p = hl->ClassInfo()->FindProp(property);
  if (!p || p->Kind != tkClass || !p->GetObj) return nullptr;
  return dynamic_cast<TktHighLightAttributes*>(p->GetObj(hl));
}

constexpr TColor kNavy = 0x800000, kGreen = 0x008000, kRed = 0x0000FF, kWhite = 0xFFFFFF,
                 kBlue = 0xFF0000, kMaroon = 0x000080, kPurple = 0x800080, kYellow = 0x00FFFF,
                 kBlack = 0x000000;

TColor DefaultForeground(const std::string& component, const std::string& attribute) {
  auto is = [&](const char* a) { return SameText(attribute, a); };
  const bool html = component == "HTML1";
  if (component == "SQL" && is("Variable")) return kPurple;
  if (component == "SQL" && is("Parameter")) return kMaroon;
  if (is("Comment")) return kNavy;
  if (is("Key")) return kGreen;
  if (is("String")) return kRed;
  if (is("Space")) return kWhite;
  if (((component == "Pascal" || component == "C") && is("Asm")) || (component == "Batch" && is("Variable")) ||
      (component == "Ini" && is("Section")) || (html && (is("ASP") || is("Text"))))
    return kBlue;
  if (html && is("Symbol")) return kMaroon;
  if (html && is("UndefKey")) return kGreen;
  if (html && is("Value")) return kRed;
  return kBlack;
}

}  // namespace

TktHighLightAttributes* StyleAttribute(TData& data, const TStyleLanguage& language,
                                       const std::string& attribute) {
  return PublishedAttribute(dynamic_cast<TktCustomHighLighter*>(data.FindComponent(language.Component)),
                            attribute + "Attri");
}

void SetDefaultHighlighterColors(TData& data) {
  for (const TStyleLanguage& language : StyleLanguages()) {
    auto* hl = dynamic_cast<TktCustomHighLighter*>(data.FindComponent(language.Component));
    if (!hl) continue;
    for (const TPropInfo* p : hl->ClassInfo()->GetProps()) {
      TktHighLightAttributes* a = PublishedAttribute(hl, p->Name);
      if (!a) continue;
      std::string attribute = p->Name;
      if (attribute.size() > 5 && attribute.compare(attribute.size() - 5, 5, "Attri") == 0)
        attribute.resize(attribute.size() - 5);
      a->SetStyle(TFontStyles());
      a->SetBackground(language.Component == std::string("HTML1") && SameText(attribute, "ASP") ? kYellow
                                                                                               : kWhite);
      a->SetForeground(DefaultForeground(language.Component, attribute));
    }
  }
}
