// Tests of the INI-file highlighter: golden token streams, the invariants
// and the export of each kind.
#include "highlighters/IniSyn.h"

#include <gtest/gtest.h>

#include "HighlighterHarness.h"
#include "MemberChecks.h"

namespace {

std::unique_ptr<TktCustomHighLighter> MakeIni() { return std::make_unique<TqaIniSyn>(nullptr); }

TEST(IniSyn, GoldenTokenStreams) { ExpectGoldenFiles(MakeIni, "ini", {"tokens.golden"}); }

TEST(IniSyn, InvariantsOnRandomAndHostileLines) {
  const std::vector<std::string> fragments = {
      "[", "]", "[s]", ";", "=", "key", "\"", "'", "''", "12.5e3", "7", " ", "\t", "\r", "\n",
      std::string(1, '\0'), "\xff"};
  const auto faults = CheckStandardInvariants(MakeIni, {1}, fragments, {"[open", "\"open"});
  EXPECT_TRUE(faults.empty()) << faults.size() << " faults, first: " << faults.front();
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
  ExpectExport(hl, 1, "<k>=<1 \"<\"",
               {{"<k>", hl.GetKeyAttri(), false, false},
                {"=", hl.GetSymbolAttri(), true, false},
                {"<", hl.GetTextAttri(), false, false},
                {"1", hl.GetNumberAttri(), false, false},
                {" ", hl.GetSpaceAttri(), false, true},
                {"\"<\"", hl.GetStringAttri(), true, false}});
  ExpectExport(hl, 1, "[<s>]", {{"[<s>]", hl.GetSectionAttri(), false, false}});
  ExpectExport(hl, 1, ";<", {{";<", hl.GetCommentAttri(), true, false}});
}

}  // namespace
