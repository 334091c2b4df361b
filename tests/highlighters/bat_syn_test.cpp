// Tests of the batch-file highlighter: golden token streams, the
// invariants, the keyword table and the export of each kind.
#include "highlighters/BatSyn.h"

#include <gtest/gtest.h>

#include "HighlighterHarness.h"
#include "MemberChecks.h"
#include "platform/SysUtils.h"

namespace {

std::unique_ptr<TktCustomHighLighter> MakeBat() { return std::make_unique<TuxBatSyn>(nullptr); }

const std::vector<std::string> kKeywords = {
    "call", "do", "echo", "errorlevel", "exist", "for", "goto", "if", "in", "not", "pause", "set",
    "shift",
};

TEST(BatSyn, GoldenTokenStreams) { ExpectGoldenFiles(MakeBat, "batch", {"tokens.golden"}); }

const std::vector<std::string> kFragments = {
      "echo", "REM", "remark", "rset", "::", ":", "%", "%1", "1.2", "errorlevel", "\"", "@",
      " ", "\t", "\r", "\n", "\r\n", std::string(1, '\0'), "\xff", "_"};
const std::vector<std::string> kOpeners = {"rem", "::"};

TEST(BatSyn, InvariantsOnRandomAndHostileLines) {
  ExpectNoFaults(CheckStandardInvariants(MakeBat, {1}, kFragments, kOpeners));
}

TEST(BatSyn, EditsKeepTheStoredRangesAndExportsKeepEveryByte) {
  EXPECT_EQ(CheckEditedRanges(MakeBat, kFragments, kOpeners), std::vector<std::string>());
  EXPECT_EQ(CheckStandardExport(MakeBat, kFragments, kOpeners), std::vector<std::string>());
}

TEST(BatSyn, IdentityAndAttributes) {
  TuxBatSyn hl(nullptr);
  ExpectIdentity(hl, {"MS-DOS Batch Language",
                      "MS-DOS Batch Files (*.bat)|*.bat",
                      6,
                      {{"CommentAttri", "Comment"},
                       {"IdentifierAttri", "Identifier"},
                       {"KeyAttri", "Key"},
                       {"NumberAttri", "Number"},
                       {"SpaceAttri", "Space"},
                       {"VariableAttri", "Variable"}},
                      {"Space", "Comment", "Key"},
                      1,
                      "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ_abcdefghijklmnopqrstuvwxyz"});
}

TEST(BatSynKeywords, TheKeywordsFillTheirOwnEntries) {
  ASSERT_EQ(kKeywords.size(), 13u);
  ExpectKeywordTable(TuxBatSyn::Keywords(), 131, kKeywords, LetterSum);
  TuxBatSyn hl(nullptr);
  for (const std::string& w : kKeywords) {
    EXPECT_EQ(KindOfWhole(hl, w, 1), TuxBatSyn::tkKey) << w;
    EXPECT_EQ(KindOfWhole(hl, UpperCase(w), 1), TuxBatSyn::tkKey) << w;
    EXPECT_EQ(KindOfWhole(hl, w + "x", 1), TuxBatSyn::tkIdentifier) << w;
  }
}

TEST(BatSyn, ExportFlagsFollowTheKinds) {
  TuxBatSyn hl(nullptr);
  ExpectExport(hl, "if %1<2 x|y rem <",
               {{"if", hl.GetKeyAttri(), false, false},
                {" ", hl.GetSpaceAttri(), false, true},
                {"%1", hl.GetVariableAttri(), false, false},
                {"<", hl.GetIdentifierAttri(), false, false},
                {"2", hl.GetNumberAttri(), false, false},
                {" ", hl.GetSpaceAttri(), false, true},
                {"x", hl.GetIdentifierAttri(), false, false},
                {"|", hl.GetIdentifierAttri(), false, false},
                {"y", hl.GetIdentifierAttri(), false, false},
                {" ", hl.GetSpaceAttri(), false, true},
                {"rem <", hl.GetCommentAttri(), true, false}});
}

}  // namespace
