// Tests of the form-definition highlighter: golden token streams, the
// invariants, its two keywords and the export of each kind.
#include "highlighters/DfmSyn.h"

#include <gtest/gtest.h>

#include "HighlighterHarness.h"
#include "MemberChecks.h"

namespace {

std::unique_ptr<TktCustomHighLighter> MakeDfm() { return std::make_unique<TuxDfmSyn>(nullptr); }

TEST(DfmSyn, GoldenTokenStreams) { ExpectGoldenFiles(MakeDfm, "dfm", {"tokens.golden"}); }

const std::vector<std::string> kFragments = {
      "object", "END", "end_", "Obj", "{", "}", "'", "''", "#13", "$FF", "1.5", "..", ":", " ",
      "\t", "\r", "\n", std::string(1, '\0'), "\xff", "_"};
const std::vector<std::string> kOpeners = {"{", "{ x", "'open"};

TEST(DfmSyn, InvariantsOnRandomAndHostileLines) {
  ExpectNoFaults(CheckStandardInvariants(MakeDfm, {1, 2}, kFragments, kOpeners));
}

TEST(DfmSyn, EditsKeepTheStoredRangesAndExportsKeepEveryByte) {
  EXPECT_EQ(CheckEditedRanges(MakeDfm, kFragments, kOpeners), std::vector<std::string>());
  EXPECT_EQ(CheckStandardExport(MakeDfm, kFragments, kOpeners), std::vector<std::string>());
}

TEST(DfmSyn, IdentityAndAttributes) {
  TuxDfmSyn hl(nullptr);
  ExpectIdentity(hl, {"Delphi C++ Builder Form Definitions",
                      "Delphi/C++ Builder Form Files (*.dfm)|*.dfm",
                      6,
                      {{"CommentAttri", "Comment"},
                       {"IdentifierAttri", "Identifier"},
                       {"KeyAttri", "Key"},
                       {"NumberAttri", "Number"},
                       {"SpaceAttri", "Space"},
                       {"StringAttri", "String"},
                       {"SymbolAttri", "Symbol"}},
                      {"Space", "Comment", "Key"},
                      2,
                      "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ_abcdefghijklmnopqrstuvwxyz"});
}

TEST(DfmSyn, OnlyObjectAndEndAreKeywords) {
  TuxDfmSyn hl(nullptr);
  struct TCase {
    const char* Text;
    int Kind;
  } cases[] = {
      {"object", TuxDfmSyn::tkKey},    {"OBJECT", TuxDfmSyn::tkKey},
      {"ObJeCt", TuxDfmSyn::tkKey},    {"end", TuxDfmSyn::tkKey},
      {"END", TuxDfmSyn::tkKey},       {"objects", TuxDfmSyn::tkIdentifier},
      {"object1", TuxDfmSyn::tkIdentifier}, {"end_", TuxDfmSyn::tkIdentifier},
      {"objec", TuxDfmSyn::tkIdentifier},   {"inherited", TuxDfmSyn::tkIdentifier},
      {"item", TuxDfmSyn::tkIdentifier},    {"begin", TuxDfmSyn::tkIdentifier},
  };
  for (const TCase& c : cases) EXPECT_EQ(KindOfWhole(hl, c.Text, 2), c.Kind) << c.Text;
}

TEST(DfmSyn, ExportFlagsFollowTheKinds) {
  TuxDfmSyn hl(nullptr);
  ExpectExport(hl, "end x:'<'{<}",
               {{"end", hl.GetKeyAttri(), false, false},
                {" ", hl.GetSpaceAttri(), false, true},
                {"x", hl.GetIdentifierAttri(), false, false},
                {":", hl.GetIdentifierAttri(), true, false},
                {"'<'", hl.GetStringAttri(), true, false},
                {"{<}", hl.GetCommentAttri(), true, false}});
  ExpectExport(hl, "<1", {{"<", hl.GetSymbolAttri(), true, false},
                             {"1", hl.GetNumberAttri(), false, false}});
}

}  // namespace
