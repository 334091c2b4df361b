// Tests of the Java highlighter: golden token streams, the invariants, the
// edit and export checks, the keyword data, attributes and export flags.
#include "highlighters/JavaSyn.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "HighlighterHarness.h"
#include "MemberChecks.h"
#include "editor/HighlightAttributes.h"
#include "highlighters/KeywordTable.h"
#include "platform/SysUtils.h"
#include "platform/TypInfo.h"

namespace {

std::unique_ptr<TktCustomHighLighter> MakeJava() { return std::make_unique<TDcjJavaSyn>(nullptr); }

const std::set<TktRange> kRanges = {1, 2, 3};

const std::vector<std::string> kFragments = {
    "class", "int", "public", "x", "$y", "_z1", "/*", "/**", "/**/", "*/", "//", "\"", "'",
    "\\", "\\\"", "\\\\", "0x1FL", "1-2", "1..2", ">>>=", "<<=", "#", ",", "@", "{", "}", ";",
    " ", "\t", "\r", "\n", "\r\n", std::string(1, '\0'), "\xc8", "\x7f", "`"};
const std::vector<std::string> kOpeners = {"/*", "/**", "x /** y", "/**/ /*"};

TEST(JavaSyn, GoldenTokenStreams) {
  ExpectGoldenFiles(MakeJava, "java", {"tokens.golden", "comments.golden"});
}

TEST(JavaSyn, InvariantsOnRandomAndHostileLines) {
  ExpectNoFaults(CheckStandardInvariants(MakeJava, kRanges, kFragments, kOpeners));
}

TEST(JavaSyn, RangesStoredAfterEditsEqualAWholeScan) {
  ExpectNoFaults(CheckEditedRanges(MakeJava, kFragments, kOpeners));
}

TEST(JavaSyn, HtmlAndRtfExportsKeepEveryCharacter) {
  ExpectNoFaults(CheckStandardExport(MakeJava, kFragments, kOpeners));
}

TEST(JavaSyn, StoredRangeOutsideTheDeclaredValuesIsCode) {
  TDcjJavaSyn hl(nullptr);
  for (TktRange bad : {TktRange(0), TktRange(4), TktRange(255), TktRange(-1)}) {
    hl.SetRange(bad);
    EXPECT_EQ(hl.GetRange(), TDcjJavaSyn::rsUnknown) << bad;
    hl.SetLine("x */", 1);
    EXPECT_EQ(hl.GetTokenKind(), TDcjJavaSyn::tkIdentifier) << bad;
  }
}

const std::vector<std::string> kWords = {
    "abstract", "boolean", "break", "byte", "case", "catch", "char", "class", "const", "continue",
    "default", "do", "double", "else", "extends", "false", "final", "finally", "float", "for",
    "goto", "if", "implements", "import", "instanceof", "int", "interface", "long", "native", "new",
    "null", "package", "private", "protected", "public", "return", "short", "static", "strictfp",
    "super", "switch", "synchronized", "this", "throw", "throws", "transient", "true", "try",
    "void", "volatile", "while",
};

TEST(JavaSynKeywords, TableHoldsTheFiftyOneWords) {
  const TKeywordTable& table = TDcjJavaSyn::Keywords();
  EXPECT_EQ(table.TableSize(), 173);
  ASSERT_EQ(kWords.size(), 51u);
  ExpectNoFaults(CheckKeywordData(table, kWords));
  TDcjJavaSyn hl(nullptr);
  for (const std::string& w : kWords) {
    const std::string line = w + ";";
    hl.SetLine(line, 1);
    EXPECT_EQ(hl.GetTokenKind(), TDcjJavaSyn::tkKey) << w;
    EXPECT_EQ(hl.GetToken(), w);
    for (const std::string& other : {UpperCase(w), w + "$", w + "1"}) {
      hl.SetLine(other, 1);
      EXPECT_EQ(hl.GetTokenKind(), TDcjJavaSyn::tkIdentifier) << other;
    }
  }
}

TEST(JavaSyn, AttributesAndIdentity) {
  TDcjJavaSyn hl(nullptr);
  EXPECT_EQ(AttributeNames(hl),
            (std::vector<std::string>{"Comment", "Documentation", "Identifier", "Invalid symbol",
                                      "Number", "Reserved word", "Space", "String", "Symbol"}));
  EXPECT_EQ(PublishedAttributeNames(&hl),
            (std::vector<std::string>{"CommentAttri", "DocumentAttri", "IdentifierAttri",
                                      "InvalidAttri", "KeyAttri", "NumberAttri", "SpaceAttri",
                                      "StringAttri", "SymbolAttri"}));
  EXPECT_EQ(GetObjectProp(&hl, GetPropInfoOrError(&hl, "DocumentAttri")), hl.GetDocumentAttri());
  for (int i = 0; i < hl.GetAttribCount(); ++i) {
    EXPECT_EQ(hl.GetAttribute(i)->GetForeground(), clNone);
    EXPECT_EQ(hl.GetAttribute(i)->GetBackground(), clNone);
    EXPECT_TRUE(hl.GetAttribute(i)->GetStyle().Empty());
  }
  EXPECT_EQ(hl.GetDefaultAttribute(0), hl.GetSpaceAttri());
  EXPECT_EQ(hl.GetDefaultAttribute(1), hl.GetCommentAttri());
  EXPECT_EQ(hl.GetDefaultAttribute(2), hl.GetKeyAttri());
  EXPECT_EQ(hl.GetDefaultAttribute(3), nullptr);
  EXPECT_EQ(hl.GetLanguageName(), "Java");
  EXPECT_EQ(hl.GetDefaultFilter(), "Java files (*.java)|*.java");
  EXPECT_EQ(hl.GetCapability(), 6);
  const TktCharSet ident = hl.GetIdentChars();
  for (int c = 0; c < 256; ++c) {
    const bool expected = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') ||
                          (c >= 'a' && c <= 'z') || c == '_' || c == '$';
    EXPECT_EQ(ident.Contains(static_cast<char>(c)), expected) << c;
  }
  hl.ResetRange();
  EXPECT_EQ(hl.GetRange(), 3);
}

TEST(JavaSyn, ExportFlagsAndAttributesByKind) {
  TDcjJavaSyn hl(nullptr);
  EXPECT_EQ(CheckExportCalls(hl, "x if 1 \"s\"+,\\/**d",
                             {{"x", hl.GetIdentifierAttri(), false, false},
                              {" ", hl.GetSpaceAttri(), false, true},
                              {"if", hl.GetKeyAttri(), false, false},
                              {" ", hl.GetSpaceAttri(), false, true},
                              {"1", hl.GetNumberAttri(), false, false},
                              {" ", hl.GetSpaceAttri(), false, true},
                              {"\"s\"", hl.GetStringAttri(), true, false},
                              {"+", hl.GetSymbolAttri(), true, false},
                              {",", hl.GetInvalidAttri(), false, false},
                              {"\\", hl.GetSymbolAttri(), true, false},
                              {"/**d", hl.GetDocumentAttri(), false, false},
                              {"", nullptr, false, false}}),
            "");
  EXPECT_EQ(CheckExportCalls(hl, "//c", {{"//c", hl.GetCommentAttri(), true, false},
                                         {"", nullptr, false, false}}),
            "");
  // On screen an unrecognised character takes the invalid-symbol attribute.
  hl.ResetRange();
  hl.SetLine("\\", 1);
  EXPECT_EQ(hl.GetTokenAttribute(), hl.GetInvalidAttri());
}

}  // namespace
