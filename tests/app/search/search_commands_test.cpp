// The find, replace and hex-search commands' option bits, the word that
// pre-fills the dialogs, and the hex view's search.
#include <gtest/gtest.h>

#include "../../editor/EditFixture.h"
#include "../../hexedit/HexFixture.h"
#include "app/search/SearchCommands.h"

namespace {

TEST(SearchOptionBits, FromTheDialogValues) {
  TSearchDialogValues v;
  EXPECT_EQ(FindOptions(v), ktsoPrompt);
  EXPECT_EQ(ReplaceOptions(v, false), ktsoReplace | ktsoPrompt);
  EXPECT_EQ(FindAllOptions(v), ktsoEntireScope);
  v.CaseSensitive = v.WholeWords = true;
  v.Scope = v.Direction = v.Origin = 1;
  v.Prompt = false;
  EXPECT_EQ(FindOptions(v), 1 | 2 | 4 | 8 | 16 | 128);
  EXPECT_EQ(ReplaceOptions(v, true), 1 | 2 | 4 | 8 | 16 | 32 | 64);
  // Search in all documents ignores direction, scope and origin.
  EXPECT_EQ(FindAllOptions(v), 1 | 2 | 8);
  EXPECT_EQ(FindNextOptions(FindOptions(v)), 1 | 2 | 4 | 16 | 128);
  EXPECT_EQ(NotFoundMessage("x y"), "Search string 'x y' not found");
}

using WordAtCaretTest = EditFixture;

TEST_F(WordAtCaretTest, TakesTheWordAndLeavesCaretAndSelectionAlone) {
  SetLines({"int count = 0;", "other"});
  Select(TPoint(1, 2), TPoint(3, 2));
  Edit->SetCaretXY(TPoint(7, 1));  // inside "count"; the selection stays
  const TPoint anchor = Edit->GetBlockAnchor(), moving = Edit->GetBlockMovingEnd();
  EXPECT_EQ(WordAtCaret(*Edit), "count");
  EXPECT_EQ(Edit->GetCaretXY(), TPoint(7, 1));
  EXPECT_EQ(Edit->GetBlockAnchor(), anchor);
  EXPECT_EQ(Edit->GetBlockMovingEnd(), moving);
  Edit->SetCaretXY(TPoint(20, 1));  // past the line's end: no word
  EXPECT_EQ(WordAtCaret(*Edit), "");
}

using HexSearchTest = THexTest;

TEST_F(HexSearchTest, FromTheCaretOrTheWholeData) {
  Load(std::string("ab\x0d\x0a" "AB\x0d\x0a", 8));
  const std::string crlf("\x0d\x0a", 2);
  // From the caret: the search starts one byte after it.
  EXPECT_EQ(HexSearch(*Hex, "ab", false, false), 4);
  EXPECT_EQ(Hex->GetCursorPosition(), 4);
  // A miss changes nothing.
  EXPECT_EQ(HexSearch(*Hex, "ab", false, false), -1);
  EXPECT_EQ(Hex->GetCursorPosition(), 4);
  // Entire scope finds a match at offset 0.
  EXPECT_EQ(HexSearch(*Hex, "AB", false, true), 0);
  EXPECT_EQ(Hex->GetCursorPosition(), 0);
  EXPECT_EQ(HexSearch(*Hex, "AB", true, false), 4);
  EXPECT_EQ(HexSearch(*Hex, crlf, true, true), 2);
  EXPECT_EQ(HexSearch(*Hex, "", true, true), -1);
}

}  // namespace
