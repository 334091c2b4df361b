// Tests of the C and C++ highlighter: golden token streams, the invariants,
// the edit and export checks, the keyword data, attributes, export flags and
// the colour import of the outside C++ IDE.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "HighlighterHarness.h"
#include "MemberChecks.h"
#include "editor/HighlightAttributes.h"
#include "highlighters/CppSyn.h"
#include "highlighters/KeywordTable.h"
#include "platform/Classes.h"
#include "platform/Registry.h"
#include "platform/SysUtils.h"
#include "platform/TypInfo.h"

namespace {

std::unique_ptr<TktCustomHighLighter> MakeCpp() { return std::make_unique<TDcjCppSyn>(nullptr); }

const std::set<TktRange> kRanges = {1, 2, 3, 4, 5, 6, 7, 8};

const std::vector<std::string> kFragments = {
    "int",  "if",   "asm",  "_asm",   "__asm", "return", "x",       "y_1",  "{",
    "}",    ";",    "/*",   "*/",     "//",    "#",      "#define", "\\",   "\"",
    "'",    "\\\"", "\\\\", "0x1FuL", "1..2",  "...",    "->",      "<<=",  ">>=",
    "::",   "@",    "$",    " ",      "\t",    "\r",     "\n",      "\r\n", std::string(1, '\0'),
    "\xc8", "\x7f"};
const std::vector<std::string> kOpeners = {
    "/*", "asm", "asm {", "__asm { /*", "asm /*", "#define a \\", "#if /*", "#x \\", "_asm mov"};

TEST(CppSyn, GoldenTokenStreams) {
  ExpectGoldenFiles(MakeCpp, "cpp", {"tokens.golden", "directives.golden", "comments.golden", "asm.golden"});
}

TEST(CppSyn, InvariantsOnRandomAndHostileLines) {
  ExpectNoFaults(CheckStandardInvariants(MakeCpp, kRanges, kFragments, kOpeners));
}

TEST(CppSyn, RangesStoredAfterEditsEqualAWholeScan) {
  ExpectNoFaults(CheckEditedRanges(MakeCpp, kFragments, kOpeners));
}

TEST(CppSyn, HtmlAndRtfExportsKeepEveryCharacter) {
  ExpectNoFaults(CheckStandardExport(MakeCpp, kFragments, kOpeners));
}

TEST(CppSyn, StoredRangeOutsideTheDeclaredValuesIsPlainCode) {
  TDcjCppSyn hl(nullptr);
  for (TktRange bad : {TktRange(0), TktRange(9), TktRange(255), TktRange(-1)}) {
    hl.SetRange(bad);
    EXPECT_EQ(hl.GetRange(), TDcjCppSyn::rsUnknown) << bad;
    hl.SetLine("x */", 1);
    EXPECT_EQ(hl.GetTokenKind(), TDcjCppSyn::tkIdentifier) << bad;
  }
}

const std::vector<std::string> kWords = {
    "asm",          "_asm",        "__asm",       "auto",      "__automated",
    "bool",         "break",       "case",        "catch",     "cdecl",
    "_cdecl",       "__cdecl",     "char",        "class",     "__classid",
    "__closure",    "const",       "const_cast",  "continue",  "__declspec",
    "default",      "delete",      "__dispid",    "do",        "double",
    "dynamic_cast", "else",        "enum",        "__except",  "explicit",
    "_export",      "__export",    "extern",      "false",     "_fastcall",
    "__fastcall",   "__finally",   "float",       "for",       "friend",
    "goto",         "if",          "__import",    "_import",   "inline",
    "int",          "__int16",     "__int32",     "__int64",   "__int8",
    "long",         "mutable",     "namespace",   "new",       "operator",
    "_pascal",      "__pascal",    "pascal",      "private",   "__property",
    "protected",    "public",      "__published", "register",  "reinterpret_cast",
    "return",       "__rtti",      "short",       "signed",    "sizeof",
    "static",       "static_cast", "_stdcall",    "__stdcall", "struct",
    "switch",       "template",    "this",        "__thread",  "throw",
    "true",         "__try",       "try",         "typedef",   "typeid",
    "typename",     "union",       "unsigned",    "using",     "virtual",
    "void",         "volatile",    "wchar_t",     "while",
};

TEST(CppSynKeywords, TableHoldsTheNinetyFourWords) {
  const TKeywordTable& table = TDcjCppSyn::Keywords();
  EXPECT_EQ(table.TableSize(), 207);
  ASSERT_EQ(kWords.size(), 94u);
  ExpectNoFaults(CheckKeywordData(table, kWords));
  TDcjCppSyn hl(nullptr);
  for (const std::string& w : kWords) {
    const std::string line = w + " ";
    hl.ResetRange();
    hl.SetLine(line, 1);
    EXPECT_EQ(hl.GetTokenKind(), TDcjCppSyn::tkKey) << w;
    EXPECT_EQ(hl.GetToken(), w);
    const bool asmWord = w == "asm" || w == "_asm" || w == "__asm";
    EXPECT_EQ(hl.GetRange(), asmWord ? TDcjCppSyn::rsAsm : TDcjCppSyn::rsUnknown) << w;
    // Case-sensitive, and the whole run of identifier characters is the word.
    for (const std::string& other : {UpperCase(w), w + "1", w + "_"}) {
      if (other == w) continue;
      hl.ResetRange();
      hl.SetLine(other, 1);
      EXPECT_EQ(hl.GetTokenKind(), TDcjCppSyn::tkIdentifier) << other;
    }
  }
}

TEST(CppSyn, AttributesAndIdentity) {
  TDcjCppSyn hl(nullptr);
  EXPECT_EQ(AttributeNames(hl), (std::vector<std::string>{
                                    "Assembler", "Comment", "Identifier", "Illegal char", "Number",
                                    "Preprocessor", "Reserved word", "Space", "String", "Symbol"}));
  EXPECT_EQ(PublishedAttributeNames(&hl),
            (std::vector<std::string>{"AsmAttri", "CommentAttri", "IdentifierAttri", "InvalidAttri",
                                      "KeyAttri", "NumberAttri", "SpaceAttri", "StringAttri",
                                      "SymbolAttri", "DirecAttri"}));
  EXPECT_EQ(GetObjectProp(&hl, GetPropInfoOrError(&hl, "DirecAttri")), hl.GetDirecAttri());
  for (int i = 0; i < hl.GetAttribCount(); ++i) {
    TktHighLightAttributes* a = hl.GetAttribute(i);
    EXPECT_EQ(a->GetForeground(), a == hl.GetSpaceAttri() ? clWindow : clNone) << a->GetName();
    EXPECT_EQ(a->GetBackground(), clNone);
    EXPECT_TRUE(a->GetStyle().Empty());
  }
  EXPECT_EQ(hl.GetDefaultAttribute(0), hl.GetSpaceAttri());
  EXPECT_EQ(hl.GetDefaultAttribute(1), hl.GetCommentAttri());
  EXPECT_EQ(hl.GetDefaultAttribute(2), hl.GetKeyAttri());
  EXPECT_EQ(hl.GetDefaultAttribute(3), nullptr);
  EXPECT_EQ(hl.GetLanguageName(), "C++");
  EXPECT_EQ(hl.GetDefaultFilter(), "C++ files (*.cpp,*.h,*.hpp)|*.cpp;*.h;*.hpp");
  EXPECT_EQ(hl.GetCapability(), 7);
  const TktCharSet ident = hl.GetIdentChars();
  for (int c = 0; c < 256; ++c) {
    const bool expected =
        (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
    EXPECT_EQ(ident.Contains(static_cast<char>(c)), expected) << c;
  }
  hl.ResetRange();
  EXPECT_EQ(hl.GetRange(), 8);
}

TEST(CppSyn, ExportFlagsAndAttributesByKind) {
  TDcjCppSyn hl(nullptr);
  EXPECT_EQ(CheckExportCalls(hl, "x if 1 \"s\"+@/*c",
                             {{"x", hl.GetIdentifierAttri(), false, false},
                              {" ", hl.GetSpaceAttri(), false, true},
                              {"if", hl.GetKeyAttri(), false, false},
                              {" ", hl.GetSpaceAttri(), false, true},
                              {"1", hl.GetNumberAttri(), false, false},
                              {" ", hl.GetSpaceAttri(), false, true},
                              {"\"s\"", hl.GetStringAttri(), true, false},
                              {"+", hl.GetSymbolAttri(), true, false},
                              {"@", hl.GetSymbolAttri(), true, false},
                              {"/*c", hl.GetCommentAttri(), true, false},
                              {"", nullptr, false, false}}),
            "");
  EXPECT_EQ(
      CheckExportCalls(hl, "#if <a>",
                       {{"#if <a>", hl.GetDirecAttri(), true, false}, {"", nullptr, false, false}}),
      "");
  // Assembler text keeps its characters escaped.
  EXPECT_EQ(CheckExportCalls(hl, "asm '<'",
                             {{"asm", hl.GetKeyAttri(), false, false},
                              {" ", hl.GetSpaceAttri(), false, true},
                              {"'<'", hl.GetAsmAttri(), true, false},
                              {"", nullptr, false, false}}),
            "");
  // On screen an illegal character has its own attribute.
  hl.ResetRange();
  hl.SetLine("@", 1);
  EXPECT_EQ(hl.GetTokenAttribute(), hl.GetInvalidAttri());
}

// ---------------------------------------------------------------------------
// Colour import from the outside C++ IDE's settings, under a root of the
// test's own.
// ---------------------------------------------------------------------------

class CppSynImport : public ::testing::Test {
 protected:
  void SetUp() override {
    FRoot = std::string("\\Software\\Tarnquill\\Test\\CppSynImport\\") +
            ::testing::UnitTest::GetInstance()->current_test_info()->name();
  }
  void TearDown() override {
    TRegistry hklm;
    hklm.SetRootKey(rkLocalMachine);
    hklm.DeleteKey(FRoot);
    TRegistry hkcu;
    hkcu.DeleteKey(FRoot);
  }
  std::unique_ptr<TDcjCppSyn> Make() {
    auto hl = std::make_unique<TDcjCppSyn>(nullptr);
    hl->SetRegistryRoot(FRoot);
    return hl;
  }
  void AddVersion(const std::string& version) {
    TRegistry reg;
    reg.SetRootKey(rkLocalMachine);
    ASSERT_TRUE(reg.OpenKey(FRoot + "\\SOFTWARE\\Borland\\C++Builder\\" + version, true));
  }
  void WriteOld(const std::string& version, const std::string& element, const std::string& value) {
    TRegistry reg;
    ASSERT_TRUE(
        reg.OpenKey(FRoot + "\\SOFTWARE\\Borland\\C++Builder\\" + version + "\\Highlight", true));
    reg.WriteString(element, value);
  }
  void WriteNew(const std::string& version, const std::string& element, int fg, int bg, bool bold) {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(
        FRoot + "\\Software\\Borland\\C++Builder\\" + version + "\\Editor\\Highlight\\" + element,
        true));
    reg.WriteInteger("Foreground Color", fg);
    reg.WriteInteger("Background Color", bg);
    reg.WriteString("Bold", bold ? "True" : "False");
    reg.WriteString("Italic", "False");
    reg.WriteString("Underline", "False");
    reg.WriteString("Default Foreground", "False");
    reg.WriteString("Default Background", "False");
  }
  void WriteAllNew(const std::string& version) {
    for (size_t i = 0; i < kNewElements.size(); ++i)
      WriteNew(version, kNewElements[i], static_cast<int>(i), 15,
               kNewElements[i] == "Reserved word");
  }
  static void ExpectUntouched(TDcjCppSyn& hl) {
    for (int i = 0; i < hl.GetAttribCount(); ++i) {
      TktHighLightAttributes* a = hl.GetAttribute(i);
      EXPECT_EQ(a->GetForeground(), a == hl.GetSpaceAttri() ? clWindow : clNone) << a->GetName();
      EXPECT_EQ(a->GetBackground(), clNone) << a->GetName();
      EXPECT_TRUE(a->GetStyle().Empty()) << a->GetName();
    }
  }
  std::string FRoot;
  const std::vector<std::string> kNewElements = {
      "Assembler", "Comment",    "Identifier", "Illegal Char", "Reserved word",
      "Integer",   "Whitespace", "String",     "Symbol",       "Preprocessor"};
};

TEST_F(CppSynImport, ListsTheInstalledVersions) {
  auto hl = Make();
  TStringList list;
  list.Add("kept");
  hl->ListAttributeSets(&list);  // no key: the list is left as it was
  ASSERT_EQ(list.GetCount(), 1);
  AddVersion("1.0");
  AddVersion("5.0");
  hl->ListAttributeSets(&list);
  ASSERT_EQ(list.GetCount(), 2);
  EXPECT_EQ(list.Get(0), "1.0");
  EXPECT_EQ(list.Get(1), "5.0");
}

TEST_F(CppSynImport, NewFormatSetsEveryAttribute) {
  AddVersion("5.0");
  WriteAllNew("5.0");
  auto hl = Make();
  ASSERT_TRUE(hl->ImportAttributeSet(0));
  EXPECT_EQ(hl->GetAsmAttri()->GetForeground(), clBlack);       // palette 0
  EXPECT_EQ(hl->GetCommentAttri()->GetForeground(), clMaroon);  // palette 1
  EXPECT_EQ(hl->GetInvalidAttri()->GetForeground(), clOlive);   // palette 3
  EXPECT_EQ(hl->GetNumberAttri()->GetForeground(), clPurple);   // "Integer", palette 5
  EXPECT_EQ(hl->GetDirecAttri()->GetForeground(), clRed);       // palette 9
  EXPECT_EQ(hl->GetKeyAttri()->GetBackground(), clWhite);       // palette 15
  EXPECT_TRUE(hl->GetKeyAttri()->GetStyle().Contains(fsBold));
  EXPECT_FALSE(hl->GetNumberAttri()->GetStyle().Contains(fsBold));
}

TEST_F(CppSynImport, VersionOneReadsTheOldFormatWithPlainTextAsAssembler) {
  AddVersion("1.0");
  for (std::string e : {"Plain text", "Comment", "Identifier", "Illegal Char", "Reserved word",
                        "Integer", "Whitespace", "String", "Symbol", "Preprocessor"}) {
    const bool key = e == "Reserved word", plain = e == "Plain text";
    for (char& c : e)
      if (c == ' ') c = '_';
    WriteOld("1.0", e, key ? "0,0,BI,0,1,4,0" : plain ? "0,0,U,0,0,12,7" : "0,0,,0,0,9,0");
  }
  auto hl = Make();
  ASSERT_TRUE(hl->ImportAttributeSet(0));
  EXPECT_EQ(hl->GetKeyAttri()->GetForeground(), clNavy);
  EXPECT_EQ(hl->GetKeyAttri()->GetBackground(), clWindow);
  EXPECT_EQ(hl->GetKeyAttri()->GetStyle(), (TFontStyles{fsBold, fsItalic}));
  EXPECT_EQ(hl->GetAsmAttri()->GetForeground(), clBlue);
  EXPECT_EQ(hl->GetAsmAttri()->GetBackground(), clSilver);
  EXPECT_EQ(hl->GetAsmAttri()->GetStyle(), TFontStyles{fsUnderline});
  EXPECT_EQ(hl->GetDirecAttri()->GetForeground(), clRed);
}

TEST_F(CppSynImport, FailuresReturnFalseAndLeaveEveryAttribute) {
  struct TCase {
    const char* Name;
    void (*Spoil)(TRegistry& reg);  // on the Preprocessor element's key, the last one read
  } cases[] = {
      {"missing element", [](TRegistry& reg) { reg.DeleteValue("Bold"); }},
      {"value of the wrong type",
       [](TRegistry& reg) { reg.WriteString("Foreground Color", "red"); }},
      {"colour index past the table",
       [](TRegistry& reg) { reg.WriteInteger("Background Color", 16); }},
      {"negative colour index", [](TRegistry& reg) { reg.WriteInteger("Foreground Color", -1); }},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    AddVersion("5.0");
    WriteAllNew("5.0");
    {
      TRegistry reg;
      ASSERT_TRUE(reg.OpenKey(
          FRoot + "\\Software\\Borland\\C++Builder\\5.0\\Editor\\Highlight\\Preprocessor", false));
      c.Spoil(reg);
    }
    auto hl = Make();
    EXPECT_FALSE(hl->ImportAttributeSet(0));
    ExpectUntouched(*hl);
    TearDown();
  }
}

TEST_F(CppSynImport, IndexPastTheVersionsChangesNothing) {
  AddVersion("5.0");
  WriteAllNew("5.0");
  auto hl = Make();
  EXPECT_FALSE(hl->ImportAttributeSet(1));
  EXPECT_FALSE(hl->ImportAttributeSet(-1));
  ExpectUntouched(*hl);
  // A version listed but without any element.
  AddVersion("6.0");
  EXPECT_FALSE(hl->ImportAttributeSet(1));
  ExpectUntouched(*hl);
}

}  // namespace
