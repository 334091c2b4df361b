// Tests of the Object Pascal highlighter: golden token streams, the
// invariants over random and hostile lines, the keyword data, attributes,
// export flags and the colour import.
#include "highlighters/PasSyn.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "HighlighterHarness.h"
#include "MemberChecks.h"
#include "editor/Export.h"
#include "platform/Registry.h"
#include "platform/SysUtils.h"
#include "platform/TypInfo.h"

namespace {

std::unique_ptr<TktCustomHighLighter> MakePas() { return std::make_unique<TktPasSyn>(nullptr); }

std::unique_ptr<TktCustomHighLighter> MakePasWithoutD4() {
  auto hl = std::make_unique<TktPasSyn>(nullptr);
  hl->SetD4syntax(false);
  return hl;
}

const std::set<TktRange> kPasRanges = {1, 2, 3, 4, 5, 6, 7};

TEST(PasSyn, GoldenTokenStreams) {
  ExpectGoldenFiles(MakePas, "pascal",
                    {"tokens.golden", "comments.golden", "asm.golden", "property.golden", "sample.golden"});
  ExpectGoldenFiles(MakePasWithoutD4, "pascal", {"property-nod4.golden"});
}

const std::vector<std::string> kPascalFragments = {
    "begin", "end", "End", "asm", "property", "read", "write", "automated", "public", "procedure",
    "function", "implements", "overload", "(*", "*)", "(", ")", "{", "}", "'", "''", "//", "..",
    ".)", "(.", ":=", "<>", "@@", "$1F", "#13", "1.5e3", " ", "  ", "\t", "\r", "\n", "\r\n",
    std::string(1, '\0'), "\xff", "|", "Stringresource", "x1", "_a", ";", "\"",
};

TEST(PasSyn, InvariantsOnRandomAndHostileLines) {
  const std::vector<std::string> openers = {"(*", "{", "asm", "property", "asm {", "asm (*"};
  ExpectNoFaults(CheckStandardInvariants(MakePas, kPasRanges, kPascalFragments, openers));
  ExpectNoFaults(CheckStandardInvariants(MakePasWithoutD4, kPasRanges, kPascalFragments, openers));
}

const std::vector<std::string> kPascalOpeners = {"(*", "{", "asm", "property", "asm {", "asm (*"};

TEST(PasSyn, RangesStoredAfterEditsEqualAWholeScan) {
  for (uint32_t seed : {1u, 2u}) {
    ExpectNoFaults(CheckEditedRanges(MakePas, kPascalFragments, kPascalOpeners, seed));
  }
}

TEST(PasSyn, HtmlAndRtfExportsKeepEveryCharacter) {
  ExpectNoFaults(CheckStandardExport(MakePas, kPascalFragments, kPascalOpeners));
}

TEST(PasSyn, StoredRangeOutsideTheDeclaredValuesStartsAsPlainCode) {
  TktPasSyn hl(nullptr);
  for (TktRange bad : {TktRange(0), TktRange(8), TktRange(255), TktRange(0x10007), TktRange(-1)}) {
    hl.SetRange(bad);
    EXPECT_EQ(hl.GetRange(), TktPasSyn::rsUnknown) << bad;
    hl.SetLine("x *) y", 1);
    EXPECT_EQ(hl.GetTokenKind(), TktPasSyn::tkIdentifier) << bad;
  }
}

// ---------------------------------------------------------------------------
// Keyword data: the lists as the language's rules give them.
// ---------------------------------------------------------------------------

const std::vector<std::string> kPlainWords = {
    "Absolute", "Abstract", "And", "Array", "As", "Assembler", "Begin", "Case", "Cdecl", "Class",
    "Const", "Constructor", "Destructor", "Dispid", "Dispinterface", "Div", "Do", "Downto",
    "Dynamic", "Else", "Except", "Export", "Exports", "External", "Far", "File", "Finalization",
    "Finally", "For", "Forward", "Function", "Goto", "If", "Implementation", "In", "Inherited",
    "Initialization", "Inline", "Interface", "Is", "Label", "Library", "Message", "Mod", "Near",
    "Nil", "Not", "Object", "Of", "Or", "Out", "Override", "Packed", "Pascal", "Private",
    "Procedure", "Program", "Property", "Protected", "Public", "Published", "Raise", "Record",
    "Register", "Repeat", "Resourcestring", "Safecall", "Set", "Shl", "Shr", "Stdcall",
    "Stringresource", "String", "Then", "Threadvar", "To", "Try", "Type", "Unit", "Until", "Uses",
    "Var", "Virtual", "While", "With", "Xor", "Default", "End", "Asm"};
const std::vector<std::string> kPropertyWords = {"Read",     "Write",     "Index",    "Stored",
                                                 "Readonly", "Writeonly", "Nodefault"};

int LetterSum(const std::string& w) {
  int h = 0;
  for (char c : w) h += std::tolower(static_cast<unsigned char>(c)) - 'a' + 1;
  return h;
}

TEST(PasSynKeywords, TableHoldsTheHundredWordsInSixtyEightEntries) {
  const TKeywordTable& table = TktPasSyn::Keywords();
  EXPECT_EQ(table.TableSize(), 192);
  EXPECT_EQ(kPlainWords.size(), 89u);
  EXPECT_EQ(table.WordCount(), 100);
  EXPECT_EQ(table.UsedEntries(), 68);
  std::vector<std::string> all = kPlainWords;
  all.insert(all.end(), kPropertyWords.begin(), kPropertyWords.end());
  for (const char* w : {"Implements", "overload", "Reintroduce", "Automated"}) all.push_back(w);
  ASSERT_EQ(all.size(), 100u);
  for (const std::string& w : all) {
    const int h = LetterSum(w);
    ASSERT_LT(h, 192) << w;
    EXPECT_EQ(table.HashOf(w), h) << w;
    bool found = false;
    for (const TKeywordDef& k : table.Entry(h)) found |= SameText(k.Word, w);
    EXPECT_TRUE(found) << w << " is not in entry " << h;
  }
}

int KindOfWord(TktPasSyn& hl, const std::string& word, TktRange range) {
  hl.SetRange(range);
  hl.SetLine(word, 1);
  EXPECT_EQ(hl.GetToken(), word);
  return hl.GetTokenKind();
}

TEST(PasSynKeywords, PlainWordsAreReservedInAnyCase) {
  TktPasSyn hl(nullptr);
  for (const std::string& w : kPlainWords) {
    std::string lower = w, upper = w;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    for (const std::string& v : {w, lower, upper}) {
      EXPECT_EQ(KindOfWord(hl, v, TktPasSyn::rsUnknown), TktPasSyn::tkKey) << v;
      // A digit or "_" after the word makes it an identifier.
      EXPECT_EQ(KindOfWord(hl, v + "1", TktPasSyn::rsUnknown), TktPasSyn::tkIdentifier) << v;
      EXPECT_EQ(KindOfWord(hl, v + "_", TktPasSyn::rsUnknown), TktPasSyn::tkIdentifier) << v;
    }
  }
}

TEST(PasSynKeywords, PropertyWordsNeedAPropertyDeclaration) {
  TktPasSyn hl(nullptr);
  for (const std::string& w : kPropertyWords) {
    EXPECT_EQ(KindOfWord(hl, w, TktPasSyn::rsUnknown), TktPasSyn::tkIdentifier) << w;
    EXPECT_EQ(KindOfWord(hl, w, TktPasSyn::rsProperty), TktPasSyn::tkKey) << w;
    EXPECT_EQ(hl.GetRange(), TktPasSyn::rsProperty) << w;
  }
  struct TCase {
    const char* Word;
    bool D4;
    TktRange Range;
    int Kind;
    TktRange RangeAfter;
  } cases[] = {
      {"Implements", true, TktPasSyn::rsProperty, TktPasSyn::tkKey, TktPasSyn::rsProperty},
      {"Implements", true, TktPasSyn::rsUnknown, TktPasSyn::tkIdentifier, TktPasSyn::rsUnknown},
      {"Implements", false, TktPasSyn::rsProperty, TktPasSyn::tkIdentifier, TktPasSyn::rsProperty},
      {"overload", true, TktPasSyn::rsUnknown, TktPasSyn::tkKey, TktPasSyn::rsUnknown},
      {"overload", false, TktPasSyn::rsUnknown, TktPasSyn::tkIdentifier, TktPasSyn::rsUnknown},
      {"Reintroduce", true, TktPasSyn::rsProperty, TktPasSyn::tkKey, TktPasSyn::rsProperty},
      {"Reintroduce", false, TktPasSyn::rsUnknown, TktPasSyn::tkIdentifier, TktPasSyn::rsUnknown},
      {"Automated", true, TktPasSyn::rsProperty, TktPasSyn::tkKey, TktPasSyn::rsUnknown},
      {"Automated", true, TktPasSyn::rsUnknown, TktPasSyn::tkIdentifier, TktPasSyn::rsUnknown},
      {"Property", true, TktPasSyn::rsUnknown, TktPasSyn::tkKey, TktPasSyn::rsProperty},
      {"Procedure", true, TktPasSyn::rsProperty, TktPasSyn::tkKey, TktPasSyn::rsUnknown},
      {"Function", true, TktPasSyn::rsProperty, TktPasSyn::tkKey, TktPasSyn::rsUnknown},
      {"End", true, TktPasSyn::rsAsm, TktPasSyn::tkKey, TktPasSyn::rsUnknown},
      {"Asm", true, TktPasSyn::rsUnknown, TktPasSyn::tkKey, TktPasSyn::rsAsm},
      {"Public", true, TktPasSyn::rsProperty, TktPasSyn::tkKey, TktPasSyn::rsUnknown},
      {"Private", true, TktPasSyn::rsProperty, TktPasSyn::tkKey, TktPasSyn::rsUnknown},
      {"Protected", true, TktPasSyn::rsProperty, TktPasSyn::tkKey, TktPasSyn::rsUnknown},
      {"Published", true, TktPasSyn::rsProperty, TktPasSyn::tkKey, TktPasSyn::rsUnknown},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Word);
    hl.SetD4syntax(c.D4);
    EXPECT_EQ(KindOfWord(hl, c.Word, c.Range), c.Kind);
    EXPECT_EQ(hl.GetRange(), c.RangeAfter);
  }
}

// ---------------------------------------------------------------------------
// Attributes, identity and export.
// ---------------------------------------------------------------------------

TEST(PasSyn, AttributesAndIdentity) {
  TktPasSyn hl(nullptr);
  ASSERT_EQ(hl.GetAttribCount(), 8);
  std::vector<std::string> names;
  for (int i = 0; i < hl.GetAttribCount(); ++i) names.push_back(hl.GetAttribute(i)->GetName());
  EXPECT_EQ(names, (std::vector<std::string>{"Assembler", "Comment", "Identifier", "Number",
                                             "Reserved word", "Space", "String", "Symbol"}));
  EXPECT_EQ(hl.GetDefaultAttribute(0), hl.GetSpaceAttri());
  EXPECT_EQ(hl.GetDefaultAttribute(1), hl.GetCommentAttri());
  EXPECT_EQ(hl.GetDefaultAttribute(2), hl.GetKeyAttri());
  EXPECT_EQ(hl.GetDefaultAttribute(3), nullptr);
  EXPECT_EQ(hl.GetLanguageName(), "ObjectPascal");
  EXPECT_EQ(hl.GetDefaultFilter(), "Pascal files (*.pas,*.dpr,*.dpk,*.inc)|*.pas;*.dpr;*.dpk;*.inc");
  EXPECT_EQ(hl.GetCapability(), 7);
  EXPECT_TRUE(hl.GetD4syntax());
  const TktCharSet ident = hl.GetIdentChars();
  for (int c = 0; c < 256; ++c) {
    const bool expected = std::isalnum(c) || c == '_';
    EXPECT_EQ(ident.Contains(static_cast<char>(c)), expected && c < 128) << c;
  }
  for (int i = 0; i < hl.GetAttribCount(); ++i) {
    EXPECT_EQ(hl.GetAttribute(i)->GetForeground(), clNone);
    EXPECT_EQ(hl.GetAttribute(i)->GetBackground(), clNone);
    EXPECT_TRUE(hl.GetAttribute(i)->GetStyle().Empty());
  }
  hl.ResetRange();
  EXPECT_EQ(hl.GetRange(), 7);
}

TEST(PasSyn, PublishesItsAttributesAndD4syntax) {
  TktPasSyn hl(nullptr);
  EXPECT_EQ(GetObjectProp(&hl, GetPropInfoOrError(&hl, "KeyAttri")), hl.GetKeyAttri());
  EXPECT_EQ(GetObjectProp(&hl, GetPropInfoOrError(&hl, "AsmAttri")), hl.GetAsmAttri());
  EXPECT_EQ(GetObjectProp(&hl, GetPropInfoOrError(&hl, "SymbolAttri")), hl.GetSymbolAttri());
  EXPECT_EQ(GetPropText(&hl, "D4syntax"), "True");
  SetPropText(&hl, "D4syntax", "False");
  EXPECT_FALSE(hl.GetD4syntax());
  std::vector<std::string> names;
  for (const TPropInfo* p : GetPropList(&hl))
    if (p->Name.size() > 5 && p->Name.substr(p->Name.size() - 5) == "Attri") names.push_back(p->Name);
  EXPECT_EQ(names, (std::vector<std::string>{"AsmAttri", "CommentAttri", "IdentifierAttri",
                                             "KeyAttri", "NumberAttri", "SpaceAttri",
                                             "StringAttri", "SymbolAttri"}));
}

TEST(PasSyn, AttributeChangeFiresTheHookChain) {
  struct TListener {
    int Count = 0;
    void Changed(TObject*) { ++Count; }
  } listener;
  TktPasSyn hl(nullptr);
  hl.HookAttrChangeEvent(NotifyMethod<&TListener::Changed>(&listener));
  hl.GetKeyAttri()->SetForeground(clRed);
  hl.GetKeyAttri()->SetForeground(clRed);  // unchanged: no event
  hl.GetStringAttri()->SetStyle(TFontStyles{fsBold});
  EXPECT_EQ(listener.Count, 2);
}

TEST(PasSyn, ColoursRoundTripThroughTheRegistry) {
  const std::string key = "\\Software\\Tarnquill\\Test\\PasSynTest";
  TktPasSyn saved(nullptr);
  saved.GetKeyAttri()->SetForeground(clNavy);
  saved.GetKeyAttri()->SetStyle(TFontStyles{fsBold, fsUnderline});
  saved.GetCommentAttri()->SetBackground(clYellow);
  ASSERT_TRUE(saved.SaveToRegistry(rkCurrentUser, key));
  TktPasSyn loaded(nullptr);
  ASSERT_TRUE(loaded.LoadFromRegistry(rkCurrentUser, key));
  for (int i = 0; i < saved.GetAttribCount(); ++i) {
    SCOPED_TRACE(saved.GetAttribute(i)->GetName());
    EXPECT_EQ(loaded.GetAttribute(i)->GetForeground(), saved.GetAttribute(i)->GetForeground());
    EXPECT_EQ(loaded.GetAttribute(i)->GetBackground(), saved.GetAttribute(i)->GetBackground());
    EXPECT_EQ(loaded.GetAttribute(i)->GetStyle(), saved.GetAttribute(i)->GetStyle());
  }
  TRegistry reg;
  reg.DeleteKey(key);
}

TEST(PasSyn, ExportHandsEveryTokenAndTheLineEndToTheExporter) {
  TktPasSyn hl(nullptr);
  TRecordingExport exporter;
  hl.SetExporter(&exporter);
  hl.ResetRange();
  const std::string line = std::string("x:='<'{c} 5|\0z", 14);
  hl.SetLineForExport(line);
  while (!hl.AtLineEnd()) hl.ExportNextToken();
  struct TWant {
    const char* Text;
    TktHighLightAttributes* Attribute;
    bool Escape, Space;
  } want[] = {
      {"x", hl.GetIdentifierAttri(), false, false}, {":=", hl.GetSymbolAttri(), true, false},
      {"'<'", hl.GetStringAttri(), true, false},     {"{c}", hl.GetCommentAttri(), true, false},
      {" ", hl.GetSpaceAttri(), false, true},        {"5", hl.GetNumberAttri(), false, false},
      {"|", hl.GetSymbolAttri(), true, false},       {"\0", hl.GetSymbolAttri(), true, false},
      {"z", hl.GetIdentifierAttri(), false, false},  {"", nullptr, false, false},
  };
  ASSERT_EQ(exporter.Calls.size(), std::size(want));
  for (size_t i = 0; i < std::size(want); ++i) {
    SCOPED_TRACE(i);
    const std::string text = i == 7 ? std::string(1, '\0') : std::string(want[i].Text);
    EXPECT_EQ(exporter.Calls[i].Text, text);
    EXPECT_EQ(exporter.Calls[i].Attribute, want[i].Attribute);
    EXPECT_EQ(exporter.Calls[i].Escape, want[i].Escape);
    EXPECT_EQ(exporter.Calls[i].Space, want[i].Space);
  }
  // Without an exporter the export operations still scan.
  hl.SetExporter(nullptr);
  hl.SetLineForExport("begin");
  EXPECT_EQ(hl.GetTokenKind(), TktPasSyn::tkKey);
}

TEST(PasSyn, AssemblerTokensKeepTheirEscapeFlag) {
  // Inside an assembler block a string or symbol reads as assembler, but its
  // characters still need escaping in an export.
  TktPasSyn hl(nullptr);
  TRecordingExport exporter;
  hl.SetExporter(&exporter);
  hl.SetRange(TktPasSyn::rsAsm);
  hl.SetLineForExport("cmp al,'<'");
  while (!hl.AtLineEnd()) hl.ExportNextToken();
  ASSERT_EQ(exporter.Calls.size(), 6u);
  EXPECT_EQ(exporter.Calls[3].Text, ",");
  EXPECT_EQ(exporter.Calls[3].Attribute, hl.GetAsmAttri());
  EXPECT_TRUE(exporter.Calls[3].Escape);
  EXPECT_EQ(exporter.Calls[4].Text, "'<'");
  EXPECT_EQ(exporter.Calls[4].Attribute, hl.GetAsmAttri());
  EXPECT_TRUE(exporter.Calls[4].Escape);
}

TEST(PasSyn, RegisteredAtStartUp) {
  bool found = false;
  for (TktHighlighterClass cls : HighlighterList()) {
    std::unique_ptr<TktCustomHighLighter> hl(cls(nullptr));
    found |= hl->GetLanguageName() == "ObjectPascal";
  }
  EXPECT_TRUE(found);
}

// ---------------------------------------------------------------------------
// Colour import from the outside Pascal IDE's settings.
// ---------------------------------------------------------------------------

class PasSynImport : public ::testing::Test {
protected:
  void TearDown() override {
    TRegistry hklm;
    hklm.SetRootKey(rkLocalMachine);
    hklm.DeleteKey("\\SOFTWARE\\Borland");
    TRegistry hkcu;
    hkcu.DeleteKey("\\Software\\Borland");
  }
  static void AddVersion(const std::string& version) {
    TRegistry reg;
    reg.SetRootKey(rkLocalMachine);
    ASSERT_TRUE(reg.OpenKey("\\SOFTWARE\\Borland\\Delphi\\" + version, true));
  }
  // Old format: one string value per element under ...\Highlight.
  static void WriteOld(const std::string& version, const std::string& element,
                       const std::string& value) {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("\\Software\\Borland\\Delphi\\" + version + "\\Highlight", true));
    reg.WriteString(element, value);
  }
  // New format: a subkey per element under ...\Editor\Highlight.
  static void WriteNew(const std::string& version, const std::string& element, int fg, int bg,
                       bool bold) {
    TRegistry reg;
    ASSERT_TRUE(
        reg.OpenKey("\\Software\\Borland\\Delphi\\" + version + "\\Editor\\Highlight\\" + element, true));
    reg.WriteInteger("Foreground Color", fg);
    reg.WriteInteger("Background Color", bg);
    reg.WriteString("Bold", bold ? "True" : "False");
    reg.WriteString("Italic", "False");
    reg.WriteString("Underline", "False");
    reg.WriteString("Default Foreground", "False");
    reg.WriteString("Default Background", "False");
  }
  static const std::vector<std::string>& Elements() {
    static const std::vector<std::string> e = {"Assembler", "Comment", "Identifier",
                                               "Reserved word", "Number", "Whitespace",
                                               "String", "Symbol"};
    return e;
  }
};

TEST_F(PasSynImport, ListsTheInstalledVersions) {
  TktPasSyn hl(nullptr);
  TStringList list;
  list.Add("kept");
  hl.ListAttributeSets(&list);  // no key: the list is left as it was
  ASSERT_EQ(list.GetCount(), 1);
  AddVersion("3.0");
  AddVersion("5.0");
  hl.ListAttributeSets(&list);
  ASSERT_EQ(list.GetCount(), 2);
  EXPECT_EQ(list.Get(0), "3.0");
  EXPECT_EQ(list.Get(1), "5.0");
}

TEST_F(PasSynImport, NewFormatSetsEveryAttribute) {
  AddVersion("5.0");
  for (size_t i = 0; i < Elements().size(); ++i)
    WriteNew("5.0", Elements()[i], static_cast<int>(i), 15, Elements()[i] == "Reserved word");
  TktPasSyn hl(nullptr);
  ASSERT_TRUE(hl.ImportAttributeSet(0));
  EXPECT_EQ(hl.GetAsmAttri()->GetForeground(), clBlack);       // palette 0
  EXPECT_EQ(hl.GetCommentAttri()->GetForeground(), clMaroon);  // palette 1
  EXPECT_EQ(hl.GetSymbolAttri()->GetForeground(), clSilver);   // palette 7
  EXPECT_EQ(hl.GetKeyAttri()->GetBackground(), clWhite);       // palette 15
  EXPECT_TRUE(hl.GetKeyAttri()->GetStyle().Contains(fsBold));
  EXPECT_FALSE(hl.GetNumberAttri()->GetStyle().Contains(fsBold));
}

TEST_F(PasSynImport, OldFormatReadsUnderscoredElementNames) {
  AddVersion("3.0");
  for (const std::string& e : Elements()) {
    std::string name = e;
    for (char& c : name)
      if (c == ' ') c = '_';
    WriteOld("3.0", name, e == "Reserved word" ? "0,0,BI,0,1,4,0" : "0,0,,0,0,9,0");
  }
  TktPasSyn hl(nullptr);
  ASSERT_TRUE(hl.ImportAttributeSet(0));
  EXPECT_EQ(hl.GetKeyAttri()->GetForeground(), clNavy);  // palette 4
  EXPECT_EQ(hl.GetKeyAttri()->GetBackground(), clWindow);
  EXPECT_TRUE(hl.GetKeyAttri()->GetStyle().Contains(fsBold));
  EXPECT_TRUE(hl.GetKeyAttri()->GetStyle().Contains(fsItalic));
  EXPECT_EQ(hl.GetStringAttri()->GetForeground(), clRed);  // palette 9
}

TEST_F(PasSynImport, AFailingElementRestoresEveryAttribute) {
  AddVersion("5.0");
  // Everything but the last element, Symbol.
  for (size_t i = 0; i + 1 < Elements().size(); ++i) WriteNew("5.0", Elements()[i], 12, 0, true);
  TktPasSyn hl(nullptr);
  hl.GetCommentAttri()->SetForeground(clGreen);
  EXPECT_FALSE(hl.ImportAttributeSet(0));
  EXPECT_EQ(hl.GetCommentAttri()->GetForeground(), clGreen);
  EXPECT_EQ(hl.GetAsmAttri()->GetForeground(), clNone);
  EXPECT_TRUE(hl.GetKeyAttri()->GetStyle().Empty());
}

TEST_F(PasSynImport, IndexPastTheVersionsChangesNothing) {
  AddVersion("5.0");
  for (const std::string& e : Elements()) WriteNew("5.0", e, 12, 0, true);
  TktPasSyn hl(nullptr);
  EXPECT_FALSE(hl.ImportAttributeSet(1));
  EXPECT_FALSE(hl.ImportAttributeSet(-1));
  for (int i = 0; i < hl.GetAttribCount(); ++i) EXPECT_EQ(hl.GetAttribute(i)->GetForeground(), clNone);
}

}  // namespace
