// Tests of the INI-file highlighter: golden token streams, the invariants
// and the export of each kind.
#include "highlighters/IniSyn.h"

#include <gtest/gtest.h>

#include "HighlighterHarness.h"
#include "MemberChecks.h"

namespace {

std::unique_ptr<TktCustomHighLighter> MakeIni() { return std::make_unique<TqaIniSyn>(nullptr); }

TEST(IniSyn, GoldenTokenStreams) { ExpectGoldenFiles(MakeIni, "ini", {"tokens.golden"}); }

const std::vector<std::string> kFragments = {
      "[", "]", "[s]", ";", "=", "key", "\"", "'", "''", "12.5e3", "7", " ", "\t", "\r", "\n",
      std::string(1, '\0'), "\xff"};
const std::vector<std::string> kOpeners = {"[open", "\"open"};

TEST(IniSyn, InvariantsOnRandomAndHostileLines) {
  ExpectNoFaults(CheckStandardInvariants(MakeIni, {1}, kFragments, kOpeners));
}

TEST(IniSyn, EditsKeepTheStoredRangesAndExportsKeepEveryByte) {
  EXPECT_EQ(CheckEditedRanges(MakeIni, kFragments, kOpeners), std::vector<std::string>());
  EXPECT_EQ(CheckStandardExport(MakeIni, kFragments, kOpeners), std::vector<std::string>());
}

TEST(IniSyn, IdentityAndAttributes) {
  TqaIniSyn hl(nullptr);
  ExpectIdentity(hl, {"INI files",
                      "INI Files (*.ini)|*.ini",
                      6,
                      {{"CommentAttri", "Comment"},
                       {"TextAttri", "Text"},
                       {"SectionAttri", "Section"},
                       {"KeyAttri", "Key"},
                       {"NumberAttri", "Number"},
                       {"SpaceAttri", "Space"},
                       {"StringAttri", "String"},
                       {"SymbolAttri", "Symbol"}},
                      {"Space", "Comment", "Key"},
                      1,
                      "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ_abcdefghijklmnopqrstuvwxyz"});
}

TEST(IniSyn, ExportFlagsFollowTheKinds) {
  TqaIniSyn hl(nullptr);
  ExpectExport(hl, "<k>=<1 \"<\"",
               {{"<k>", hl.GetKeyAttri(), false, false},
                {"=", hl.GetSymbolAttri(), true, false},
                {"<", hl.GetTextAttri(), false, false},
                {"1", hl.GetNumberAttri(), false, false},
                {" ", hl.GetSpaceAttri(), false, true},
                {"\"<\"", hl.GetStringAttri(), true, false}});
  ExpectExport(hl, "[<s>]", {{"[<s>]", hl.GetSectionAttri(), false, false}});
  ExpectExport(hl, ";<", {{";<", hl.GetCommentAttri(), true, false}});
}

}  // namespace
