// Tests of the Fortran highlighter: golden token streams, the invariants,
// the keyword table and the export of each kind.
#include "highlighters/FortranSyn.h"

#include <gtest/gtest.h>

#include "HighlighterHarness.h"
#include "MemberChecks.h"
#include "platform/SysUtils.h"

namespace {

std::unique_ptr<TktCustomHighLighter> MakeFortran() {
  return std::make_unique<TktFortranSyn>(nullptr);
}

const std::vector<std::string> kKeywords = {
    "allocatable", "allocate", "call", "case", "character", "common", "continue", "cycle", "data",
    "deallocate", "default", "dimension", "do", "else", "elseif", "end", "enddo", "endif",
    "entry", "equivalence", "exit", "external", "format", "function", "if", "include", "integer",
    "interface", "logical", "map", "open", "parameter", "print", "program", "read", "real",
    "record", "return", "save", "select", "stop", "structure", "subroutine", "then", "type",
    "union", "value", "while", "write",
};

TEST(FortranSyn, GoldenTokenStreams) {
  ExpectGoldenFiles(MakeFortran, "fortran", {"tokens.golden"});
}

const std::vector<std::string> kFragments = {
      "C", "c", "end", "integer", ".EQ.", ".and.", ".TRUE.", ".", "..", "!", "'", "''", "\"",
      "\\\n", "<<=", ">>", "==", "1.5E10", "1x", " ", "\t", "\r", "\n", std::string(1, '\0'),
      "\xff", "_", "#"};
const std::vector<std::string> kOpeners = {"'open", "\"open"};

TEST(FortranSyn, InvariantsOnRandomAndHostileLines) {
  ExpectNoFaults(CheckStandardInvariants(MakeFortran, {0}, kFragments, kOpeners));
}

TEST(FortranSyn, EditsKeepTheStoredRangesAndExportsKeepEveryByte) {
  EXPECT_EQ(CheckEditedRanges(MakeFortran, kFragments, kOpeners), std::vector<std::string>());
  EXPECT_EQ(CheckStandardExport(MakeFortran, kFragments, kOpeners), std::vector<std::string>());
}

TEST(FortranSyn, IdentityAndAttributes) {
  TktFortranSyn hl(nullptr);
  ExpectIdentity(hl, {"Fortran",
                      "Fortran Files (*.for)|*.for",
                      6,
                      {{"CommentAttri", "Comment"},
                       {"IdentifierAttri", "Identifier"},
                       {"KeyAttri", "Reserved word"},
                       {"NumberAttri", "Number"},
                       {"SpaceAttri", "Space"},
                       {"StringAttri", "String"},
                       {"SymbolAttri", "Symbol"}},
                      {"Space", "Comment", "Reserved word"},
                      0,
                      "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ_abcdefghijklmnopqrstuvwxyz"});
}

TEST(FortranSynKeywords, TheKeywordsFillTheirOwnEntries) {
  ASSERT_EQ(kKeywords.size(), 49u);
  ExpectKeywordTable(TktFortranSyn::Keywords(), 146, kKeywords, LetterSum);
  TktFortranSyn hl(nullptr);
  for (const std::string& w : kKeywords) {
    // Not in the first column, where an upper-case C starts a comment.
    const std::string indented = " " + UpperCase(w);
    hl.SetLine(indented, 1);
    hl.Next();
    EXPECT_EQ(hl.GetTokenKind(), TktFortranSyn::tkKey) << w;
    EXPECT_EQ(KindOfWhole(hl, w, 0), TktFortranSyn::tkKey) << w;
    EXPECT_EQ(KindOfWhole(hl, w + "_", 0), TktFortranSyn::tkIdentifier) << w;
  }
}

// Unrecognised characters are exported too, with the identifier attribute
// and their text escaped.
TEST(FortranSyn, ExportCarriesUnrecognisedCharacters) {
  TktFortranSyn hl(nullptr);
  ExpectExport(hl, "x&.lt.'<' ! <",
               {{"x", hl.GetIdentifierAttri(), false, false},
                {"&", hl.GetIdentifierAttri(), true, false},
                {".lt.", hl.GetSymbolAttri(), true, false},
                {"'<'", hl.GetStringAttri(), true, false},
                {" ", hl.GetSpaceAttri(), false, true},
                {"! <", hl.GetCommentAttri(), true, false}});
}

}  // namespace
