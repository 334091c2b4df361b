// Tests of the VBScript highlighter: golden token streams, the invariants,
// the keyword table and the export of each kind.
#include "highlighters/VbsSyn.h"

#include <gtest/gtest.h>

#include "HighlighterHarness.h"
#include "MemberChecks.h"
#include "platform/SysUtils.h"

namespace {

std::unique_ptr<TktCustomHighLighter> MakeVbs() { return std::make_unique<TyfVbsSyn>(nullptr); }

const std::vector<std::string> kKeywords = {
    "And", "Call", "Case", "Class", "Const", "Dim", "Do", "Each", "Else", "End", "Eqv", "Erase",
    "Error", "Exit", "Explicit", "For", "Function", "Get", "If", "Imp", "Is", "Let", "Loop",
    "Mod", "Next", "Not", "On", "Option", "Or", "Private", "property", "Public", "Randomize",
    "ReDim", "Rem", "Select", "Set", "Sub", "Then", "Wend", "While", "Xor",
};

TEST(VbsSyn, GoldenTokenStreams) { ExpectGoldenFiles(MakeVbs, "vbscript", {"tokens.golden"}); }

const std::vector<std::string> kBasicFragments = {
    "Dim", "redim", "End", "Rem", "x1", "_", "'", "\"", "\"\"", "#", "#1/1/2000#", "<=", "<>",
    ">=", "1.5e3", "$", "?", " ", "\t", "\r", "\n", "\r\n", std::string(1, '\0'), "\xff", "&"};

const std::vector<std::string> kOpeners = {"\"open", "' c", "#1"};

TEST(VbsSyn, InvariantsOnRandomAndHostileLines) {
  ExpectNoFaults(CheckStandardInvariants(MakeVbs, {1}, kBasicFragments, kOpeners));
}

TEST(VbsSyn, EditsKeepTheStoredRangesAndExportsKeepEveryByte) {
  EXPECT_EQ(CheckEditedRanges(MakeVbs, kBasicFragments, kOpeners), std::vector<std::string>());
  EXPECT_EQ(CheckStandardExport(MakeVbs, kBasicFragments, kOpeners), std::vector<std::string>());
}

TEST(VbsSyn, IdentityAndAttributes) {
  TyfVbsSyn hl(nullptr);
  ExpectIdentity(hl, {"MS VBScript",
                      "VBScript files (*.vbs)|*.vbs",
                      6,
                      {{"CommentAttri", "Comment"},
                       {"IdentifierAttri", "Identifier"},
                       {"KeyAttri", "Reserved word"},
                       {"NumberAttri", "Number"},
                       {"SpaceAttri", "Space"},
                       {"StringAttri", "String"},
                       {"SymbolAttri", "Symbol"}},
                      {"Space", "Comment", "Reserved word"},
                      1,
                      "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ_abcdefghijklmnopqrstuvwxyz"});
}

TEST(VbsSynKeywords, TheKeywordsFillTheirOwnEntries) {
  ASSERT_EQ(kKeywords.size(), 42u);
  ExpectKeywordTable(TyfVbsSyn::Keywords(), 134, kKeywords, LetterSum);
  TyfVbsSyn hl(nullptr);
  for (const std::string& w : kKeywords) {
    EXPECT_EQ(KindOfWhole(hl, LowerCase(w), 1), TyfVbsSyn::tkKey) << w;
    EXPECT_EQ(KindOfWhole(hl, UpperCase(w), 1), TyfVbsSyn::tkKey) << w;
    EXPECT_EQ(KindOfWhole(hl, w + "1", 1), TyfVbsSyn::tkIdentifier) << w;
  }
  // Visual Basic words that VBScript does not list.
  for (const char* w : {"MsgBox", "Integer", "Wend_", "Print"})
    EXPECT_EQ(KindOfWhole(hl, w, 1), TyfVbsSyn::tkIdentifier) << w;
}

TEST(VbsSyn, ExportFlagsFollowTheKinds) {
  TyfVbsSyn hl(nullptr);
  ExpectExport(hl, "Dim x$=\"<\" '<",
               {{"Dim", hl.GetKeyAttri(), false, false},
                {" ", hl.GetSpaceAttri(), false, true},
                {"x", hl.GetIdentifierAttri(), false, false},
                {"$", hl.GetIdentifierAttri(), false, false},
                {"=", hl.GetSymbolAttri(), true, false},
                {"\"<\"", hl.GetStringAttri(), true, false},
                {" ", hl.GetSpaceAttri(), false, true},
                {"'<", hl.GetCommentAttri(), true, false}});
}

}  // namespace
