// Tests of the ADSP-21xx assembly highlighter: golden token streams, the
// invariants, the edit and export checks, the keyword data, attributes,
// export flags and the colour import of the outside DSP IDE.
#include "highlighters/ADSP21xxSyn.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "HighlighterHarness.h"
#include "MemberChecks.h"
#include "editor/HighlightAttributes.h"
#include "highlighters/KeywordTable.h"
#include "platform/Classes.h"
#include "platform/Registry.h"
#include "platform/SysUtils.h"
#include "platform/TypInfo.h"

namespace {

std::unique_ptr<TktCustomHighLighter> MakeAdsp() {
  return std::make_unique<TwbADSP21xxSyn>(nullptr);
}

const std::set<TktRange> kRanges = {0, 1, 2};

const std::vector<std::string> kFragments = {
    "mr0", "ax0", "i7", "if", "eq", "forever", "nop", "h", "b", "#", "h#", "b#", "#1F", "0101",
    "2", "x", "$FF", "{", "}", "/*", "*/", "!", "'", "''", ".", "..", ">", "/", " ", "\t", "\r",
    "\n", "\r\n", std::string(1, '\0'), "\xc8", "\x7f"};
const std::vector<std::string> kOpeners = {"{", "/*", "x { y", "h", "b"};

TEST(ADSP21xxSyn, GoldenTokenStreams) {
  ExpectGoldenFiles(MakeAdsp, "adsp", {"tokens.golden", "comments.golden"});
}

TEST(ADSP21xxSyn, InvariantsOnRandomAndHostileLines) {
  ExpectNoFaults(CheckStandardInvariants(MakeAdsp, kRanges, kFragments, kOpeners));
}

TEST(ADSP21xxSyn, RangesStoredAfterEditsEqualAWholeScan) {
  ExpectNoFaults(CheckEditedRanges(MakeAdsp, kFragments, kOpeners));
}

TEST(ADSP21xxSyn, HtmlAndRtfExportsKeepEveryCharacter) {
  ExpectNoFaults(CheckStandardExport(MakeAdsp, kFragments, kOpeners));
}

// The prefix ranges live between a prefix and its "#": a stored one, or
// one whose "#" is missing, never moves the run past the line's end.
TEST(ADSP21xxSyn, PrefixRangesWithoutTheirNumberSign) {
  TwbADSP21xxSyn hl(nullptr);
  for (TktRange r : {TktRange(3), TktRange(4), TktRange(5), TktRange(-1)}) {
    hl.SetRange(r);
    EXPECT_EQ(hl.GetRange(), TwbADSP21xxSyn::rsUnknown) << r;
  }
  for (const char* line : {"", "#", "x"}) {
    hl.SetRange(3);
    const TLineScan scan = ScanLine(hl, line, 1, 4);
    EXPECT_TRUE(scan.Ended) << line;
    EXPECT_EQ(scan.EndPos, static_cast<int>(std::string(line).size())) << line;
    EXPECT_EQ(scan.EndRange, TwbADSP21xxSyn::rsUnknown) << line;
  }
}

struct TWordClass {
  const char* Name;
  std::vector<std::string> Words;
  int Kind;
};

const std::vector<TWordClass>& WordClasses() {
  static const std::vector<TWordClass> classes = {
      {"reserved words", {
           "abstract", "alt_reg", "and", "ar_sat", "ashift", "astat", "aux", "av_latch", "bit_rev",
           "boot", "by", "cache", "call", "clear", "clr", "clrbit", "cntl", "const", "define",
           "dis", "Do", "else", "ena", "endif", "endmacro", "endmod", "entry", "expadj", "external",
           "for", "global", "go_mode", "idle", "If", "ifdef", "ifndef", "In", "include", "init",
           "jump", "local", "loop", "lshift", "m_mode", "macro", "modify", "module", "name", "neg",
           "newpage", "nop", "norm", "Of", "Or", "pass", "pop", "port", "push", "regbank", "reset",
           "rnd", "rom", "rti", "rts", "sat", "set", "setbit", "shift", "shl", "Shr", "sstat",
           "static", "sts", "test", "testbit", "tglbit", "toggle", "trap", "true", "undef", "Until",
           "var", "xor",
       }, TwbADSP21xxSyn::tkKey},
      {"registers", {
           "abs", "ac", "af", "ar", "av", "ax0", "ax1", "ay0", "ay1", "bm", "circ", "cntr", "divq",
           "divs", "dm", "DMOVLAY", "emode", "exp", "fl0", "fl1", "fl2", "flag_in", "flag_out",
           "hi", "i0", "i1", "i2", "i3", "i4", "i5", "i6", "i7", "icntl", "ifc", "imask", "io",
           "l0", "l1", "l2", "l3", "l4", "l5", "l6", "l7", "lo", "m0", "m1", "m2", "m3", "m4", "m5",
           "m6", "m7", "mr", "mr0", "mr1", "mr2", "mstat", "mx0", "mx1", "my0", "my1", "pc", "pm",
           "ram", "rx0", "rx1", "sb", "sec_reg", "seg", "segment", "si", "sr", "sr0", "sr1", "su",
           "timer", "topofpcstack", "tx0", "tx1",
       }, TwbADSP21xxSyn::tkRegister},
      {"conditions", {
           "ce", "eq", "forever", "ge", "gt", "le", "lt", "mf", "mv", "ne", "not", "ss", "us", "uu",
       }, TwbADSP21xxSyn::tkCondition},
  };
  return classes;
}

TEST(ADSP21xxSynKeywords, TableHoldsTheThreeWordClasses) {
  const TKeywordTable& table = TwbADSP21xxSyn::Keywords();
  EXPECT_EQ(table.TableSize(), 192);
  std::vector<std::string> all;
  const size_t counts[] = {83, 80, 14};
  for (size_t i = 0; i < WordClasses().size(); ++i) {
    EXPECT_EQ(WordClasses()[i].Words.size(), counts[i]) << WordClasses()[i].Name;
    all.insert(all.end(), WordClasses()[i].Words.begin(), WordClasses()[i].Words.end());
  }
  ASSERT_EQ(all.size(), 177u);
  ExpectNoFaults(CheckKeywordData(table, all));
  TwbADSP21xxSyn hl(nullptr);
  for (const TWordClass& c : WordClasses())
    for (const std::string& w : c.Words)
      for (const std::string& v : {w, UpperCase(w), LowerCase(w)}) {
        const std::string line = v + ",";
        hl.SetLine(line, 1);
        EXPECT_EQ(hl.GetTokenKind(), c.Kind) << v;
        EXPECT_EQ(hl.GetToken(), v);
      }
}

TEST(ADSP21xxSyn, AttributesAndIdentity) {
  TwbADSP21xxSyn hl(nullptr);
  EXPECT_EQ(AttributeNames(hl),
            (std::vector<std::string>{"Comment", "Condition", "Identifier", "Null", "Number",
                                      "Register", "Reserved word", "Space", "String", "Symbol",
                                      "Unknown word"}));
  EXPECT_EQ(PublishedAttributeNames(&hl),
            (std::vector<std::string>{"CommentAttri", "IdentifierAttri", "KeyAttri",
                                      "NumberAttri", "RegisterAttri", "ConditionAttri",
                                      "SpaceAttri", "SymbolAttri", "StringAttri", "NullAttri",
                                      "UnknownAttri"}));
  EXPECT_EQ(GetObjectProp(&hl, GetPropInfoOrError(&hl, "RegisterAttri")), hl.GetRegisterAttri());
  for (int i = 0; i < hl.GetAttribCount(); ++i) {
    EXPECT_EQ(hl.GetAttribute(i)->GetForeground(), clNone);
    EXPECT_EQ(hl.GetAttribute(i)->GetBackground(), clNone);
    EXPECT_TRUE(hl.GetAttribute(i)->GetStyle().Empty());
  }
  EXPECT_EQ(hl.GetDefaultAttribute(0), hl.GetSpaceAttri());
  EXPECT_EQ(hl.GetDefaultAttribute(1), hl.GetCommentAttri());
  EXPECT_EQ(hl.GetDefaultAttribute(2), hl.GetKeyAttri());
  EXPECT_EQ(hl.GetDefaultAttribute(3), nullptr);
  EXPECT_EQ(hl.GetLanguageName(), "ADSP21xx");
  EXPECT_EQ(hl.GetDefaultFilter(), "DSP files (*.dsp,*.inc)|*.DSP;*.INC");
  EXPECT_EQ(hl.GetCapability(), 7);
  const TktCharSet ident = hl.GetIdentChars();
  for (int c = 0; c < 256; ++c) {
    const bool expected = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') ||
                          (c >= 'a' && c <= 'z') || c == '_';
    EXPECT_EQ(ident.Contains(static_cast<char>(c)), expected) << c;
  }
  hl.ResetRange();
  EXPECT_EQ(hl.GetRange(), 0);
}

TEST(ADSP21xxSyn, ExportFlagsAndAttributesByKind) {
  TwbADSP21xxSyn hl(nullptr);
  EXPECT_EQ(CheckExportCalls(hl, "x if 1 'a'ax0 eq>,!c",
                             {{"x", hl.GetIdentifierAttri(), false, false},
                              {" ", hl.GetSpaceAttri(), false, true},
                              {"if", hl.GetKeyAttri(), false, false},
                              {" ", hl.GetSpaceAttri(), false, true},
                              {"1", hl.GetNumberAttri(), false, false},
                              {" ", hl.GetSpaceAttri(), false, true},
                              {"'a'", hl.GetStringAttri(), true, false},
                              {"ax0", hl.GetRegisterAttri(), true, false},
                              {" ", hl.GetSpaceAttri(), false, true},
                              {"eq", hl.GetConditionAttri(), true, false},
                              {">", hl.GetSymbolAttri(), true, false},
                              {",", hl.GetSymbolAttri(), true, false},
                              {"!c", hl.GetCommentAttri(), true, false},
                              {"", nullptr, false, false}}),
            "");
}

// ---------------------------------------------------------------------------
// Colour import from the outside DSP IDE's settings, under a root of the
// test's own.
// ---------------------------------------------------------------------------

class ADSP21xxSynImport : public ::testing::Test {
protected:
  void SetUp() override {
    FRoot = std::string("\\Software\\Tarnquill\\Test\\ADSP21xxSynImport\\") +
            ::testing::UnitTest::GetInstance()->current_test_info()->name();
  }
  void TearDown() override {
    TRegistry reg;
    reg.DeleteKey(FRoot);
  }
  std::unique_ptr<TwbADSP21xxSyn> Make() {
    auto hl = std::make_unique<TwbADSP21xxSyn>(nullptr);
    hl->SetRegistryRoot(FRoot);
    return hl;
  }
  void Write(const std::string& element, int fg, int bg, bool bold) {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(FRoot + "\\Software\\Oskelund\\DspIDE\\1.0\\Editor\\Highlight\\" + element, true));
    reg.WriteInteger("Foreground Color", fg);
    reg.WriteInteger("Background Color", bg);
    reg.WriteString("Bold", bold ? "True" : "False");
    reg.WriteString("Italic", "0");
    reg.WriteString("Underline", "FALSE");
    reg.WriteString("Default Foreground", "False");
    reg.WriteString("Default Background", "True");
  }
  void WriteAll() {
    const char* elements[] = {"Comment", "Identifier", "Reserved word", "BinaryNumber",
                              "Whitespace", "Symbol", "Condition"};
    for (int i = 0; i < 7; ++i) Write(elements[i], i + 1, 0, std::string(elements[i]) == "Reserved word");
  }
  static void ExpectUntouched(TwbADSP21xxSyn& hl) {
    for (int i = 0; i < hl.GetAttribCount(); ++i) {
      EXPECT_EQ(hl.GetAttribute(i)->GetForeground(), clNone) << hl.GetAttribute(i)->GetName();
      EXPECT_EQ(hl.GetAttribute(i)->GetBackground(), clNone) << hl.GetAttribute(i)->GetName();
      EXPECT_TRUE(hl.GetAttribute(i)->GetStyle().Empty()) << hl.GetAttribute(i)->GetName();
    }
  }
  std::string FRoot;
};

TEST_F(ADSP21xxSynImport, ReadsTheOneKeyWhateverIsListed) {
  auto hl = Make();
  TStringList list;
  hl->ListAttributeSets(&list);
  EXPECT_EQ(list.GetCount(), 0);
  EXPECT_FALSE(hl->ImportAttributeSet(0));  // nothing listed
  WriteAll();
  hl->ListAttributeSets(&list);
  ASSERT_EQ(list.GetCount(), 1);  // the IDE's "Editor" subkey
  EXPECT_EQ(list.Get(0), "Editor");
  ASSERT_TRUE(hl->ImportAttributeSet(0));
  EXPECT_EQ(hl->GetCommentAttri()->GetForeground(), clMaroon);   // palette 1
  EXPECT_EQ(hl->GetKeyAttri()->GetForeground(), clOlive);        // palette 3
  EXPECT_TRUE(hl->GetKeyAttri()->GetStyle().Contains(fsBold));
  EXPECT_EQ(hl->GetNumberAttri()->GetForeground(), clNavy);      // "BinaryNumber", palette 4
  EXPECT_EQ(hl->GetSymbolAttri()->GetForeground(), clTeal);      // palette 6
  EXPECT_EQ(hl->GetRegisterAttri()->GetForeground(), clTeal);    // from "Symbol" too
  EXPECT_EQ(hl->GetConditionAttri()->GetForeground(), clSilver); // palette 7
  EXPECT_EQ(hl->GetCommentAttri()->GetBackground(), clWindow);
  // String, Null and "Unknown word" are not imported.
  EXPECT_EQ(hl->GetStringAttri()->GetForeground(), clNone);
  EXPECT_FALSE(hl->ImportAttributeSet(1));
}

TEST_F(ADSP21xxSynImport, FailuresReturnFalseAndLeaveEveryAttribute) {
  struct TCase {
    const char* Name;
    void (*Spoil)(TRegistry& reg);  // on the Condition element's key, the last one read
  } cases[] = {
      {"missing element", [](TRegistry& reg) { reg.DeleteValue("Default Background"); }},
      {"value of the wrong type", [](TRegistry& reg) { reg.WriteString("Foreground Color", "x"); }},
      {"colour index past the table", [](TRegistry& reg) { reg.WriteInteger("Foreground Color", 16); }},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    WriteAll();
    {
      TRegistry reg;
      ASSERT_TRUE(reg.OpenKey(FRoot + "\\Software\\Oskelund\\DspIDE\\1.0\\Editor\\Highlight\\Condition", false));
      c.Spoil(reg);
    }
    auto hl = Make();
    EXPECT_FALSE(hl->ImportAttributeSet(0));
    ExpectUntouched(*hl);
    TearDown();
  }
}

}  // namespace
